#pragma once

class TMainScreen;

// "&Set or Change Background Art" and its tool-bar button: the background
// art dialog over the program's "bg" folder, then the card's background.
void mnuSetorChangeBackgroundArtClick(TMainScreen &window);
// Makes the main window's background art command run the above.
void InstallBackgroundArtCommand(TMainScreen &window);
