#include "app/TCardSidePanels.h"

#include "app/TMainScreen.h"
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
