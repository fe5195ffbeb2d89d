#include "app/TCardSidePanels.h"

#include "app/TMainScreen.h"
#include "design/CardMerge.h"
#include "design/CardSides.h"
#include "design/TGBusinessCardPanel32.h"
#include "platform/UserDialogs.h"

TCardSidePanels::TCardSidePanels(TMainScreen &window)
{
    const CardSides &sides = window.Sides();
    TGBusinessCardPanel32 *shown = window.BusinessCardPanel;
    Front = shown;
    FrontBackground = window.BackgroundPath();
    if (!sides.HasBack)
        return;
    QString error;
    m_hidden = CardSides::MakePanel(&window, *shown, window.Layout().Layout, sides.HiddenObjects,
                                    sides.HiddenBackground, &error);
    if (!m_hidden) {
        UserDialogs::current().error(error);
        return;
    }
    // The list fills both sides, with the record the window shows.
    if (const CardMerge *merge = CardMerge::Find(shown); merge && merge->Attached())
        CardMerge::Of(*m_hidden).Follow(*merge);
    if (sides.BackShown()) {
        Back = shown;
        BackBackground = FrontBackground;
        Front = m_hidden.get();
        FrontBackground = sides.HiddenBackground;
    } else {
        Back = m_hidden.get();
        BackBackground = sides.HiddenBackground;
    }
}

TCardSidePanels::~TCardSidePanels() = default;
