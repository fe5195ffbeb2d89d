#pragma once

class TMainScreen;
struct TProgramFacts;

// Connects the main window's auxiliary commands ("Configuration
// Information", "&Personal Information", "Change all fonts to...") to their
// dialogs in dialogs/.
class TAuxiliaryCommands
{
public:
    explicit TAuxiliaryCommands(TMainScreen &window);

    // What the configuration report says about the program: version, build
    // date, the settings file, the default font and the nudges as stored.
    static TProgramFacts ProgramFacts();

    void ConfigurationInformation1Click();
    // "&Personal Information": the ten values from the settings file; on OK
    // they are stored and handed to the card panel (labels already on the
    // card keep their text).
    void PersonalInformation1Click();
    // "Change all fonts to...": the chosen family for every text label and
    // multi-line text object on the card.
    void Changeallfontsto1Click();

private:
    TMainScreen &m_window;
};
