#pragma once

#include <QString>

#include <memory>

class TGBusinessCardPanel32;
class TMainScreen;

// Both sides of the window's card as panels, for printing and exports: the
// side on screen is the window's own panel, the other one a hidden panel
// made for as long as this lives. Back is null when the card has none.
struct TCardSidePanels {
    explicit TCardSidePanels(TMainScreen &window);
    ~TCardSidePanels();

    TGBusinessCardPanel32 *Front = nullptr;
    TGBusinessCardPanel32 *Back = nullptr;
    QString FrontBackground;
    QString BackBackground;

private:
    std::unique_ptr<TGBusinessCardPanel32> m_hidden;
};
