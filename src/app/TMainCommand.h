#pragma once

// Main-window commands whose dialogs live outside the main window's own
// code (printing, templates, the auxiliary dialogs). Each is run through a
// handler installed with TMainScreen::SetCommandHandler.
enum class TMainCommand {
    NewFromTemplate,
    WriteIni,
    Print,
    Preview,
    PrinterSetup,
    PrinterFineTuning,
    OutlineTestPage,
    ChangeAllFonts,
    PersonalInformation,
    BackgroundArt,
    ConfigurationInformation,
};
