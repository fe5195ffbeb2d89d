#include "objects/TGSymbolLabel.h"

#include "design/TGBasePanel.h"
#include "objects/TGPLabel.h"
#include "objects/TGetSymbol.h"
#include "platform/Numbers.h"
#include "platform/ScreenMetrics.h"
#include "platform/UserDialogs.h"

#include <QAction>
#include <QDialog>
#include <QMenu>

TGSymbolLabel::TGSymbolLabel(QObject *owner) : TGBaseLabel(owner)
{
    TFont font = Font();
    font.name = QStringLiteral("WingDings");
    font.setSize(24, ScreenMetrics::pixelsPerInch());
    SetFont(font);
    SetCaption(QStringLiteral("["));
}

void TGSymbolLabel::BuildMenu()
{
    TGBaseLabel::BuildMenu();
    // The text entries make no sense for a symbol: the font and the
    // character come from the selector, and a symbol is never turned.
    static const QStringList dropped{"Font", "Alignment", "Angle"};
    for (QAction *item : ObjectMenu()->actions())
        if (item->data().toInt() == TGPLabel::TextItemTag || dropped.contains(item->text()))
            ObjectMenu()->removeAction(item);
    AddMenuSeparator();
    AddMenuItem("Symbol Selector", [this] { ChooseSymbol(); });
}

void TGSymbolLabel::Loaded()
{
    TGBaseLabel::Loaded();
    RecalcLayout();
    BoundsChanged();
}

void TGSymbolLabel::BoundsChanged()
{
    const int ppi = ScreenMetrics::pixelsPerInch();
    const bool onPanel = Panel() || qobject_cast<TGBasePanel *>(parent());
    TGBaseLabel::BoundsChanged();
    if (Font().size(ppi) < 10 || IsLoading() || !onPanel)
        return;
    const TFont font = ZoomedFont();
    const QSize extent = Fonts::textExtent(font, ppi, Caption());
    int w = Numbers::truncate(extent.width() * 1.1);
    int h = Numbers::truncate(extent.height() * 1.1);
    w += std::max({MainOrigin().x(), ShadowOrigin().x(), HighlightOrigin().x()});
    h += std::max({MainOrigin().y(), ShadowOrigin().y(), HighlightOrigin().y()});
    // An empty caption measures nothing, but a label is at least one pixel
    // a side (the base class grows it back): fitting to zero would resize
    // the label back and forth without end.
    w = std::max(w, 1);
    h = std::max(h, 1);
    if (w != Width() || h != Height()) {
        SetBounds(Left(), Top(), w, h);
        if (TGBasePanel *panel = Panel())
            panel->PostRefit();
    }
}

void TGSymbolLabel::ApplyFont(const TFont &) {}

void TGSymbolLabel::ChooseSymbol()
{
    TGetSymbol selector(Font(), Caption());
    if (UserDialogs::runModal(selector) != QDialog::Accepted)
        return;
    SetFont(selector.ChosenFont());
    if (const std::optional<QString> caption = selector.ChosenCaption())
        SetCaption(*caption);
    BoundsChanged();
    Invalidate();
}
