#pragma once

class TMainScreen;
struct TProgramFacts;

// Connects the main window's auxiliary commands ("Configuration
// Information", ...) to their dialogs in dialogs/.
class TAuxiliaryCommands
{
public:
    explicit TAuxiliaryCommands(TMainScreen &window);

    // What the configuration report says about the program: version, build
    // date, the settings file, the default font and the nudges as stored.
    static TProgramFacts ProgramFacts();

    void ConfigurationInformation1Click();

private:
    TMainScreen &m_window;
};
