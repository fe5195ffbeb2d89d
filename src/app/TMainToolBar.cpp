#include "app/TMainToolBar.h"

#include "platform/Colors.h"

#include <QLabel>
#include <QToolButton>

namespace {

// One tool button's entry: the tool it selects, its icon, its hint and the
// member that holds the button.
struct ToolButtonEntry {
    TLPanelState state;
    const char *icon;
    const char *hint;
    QToolButton *TMainToolBar::*button;
};

// In the order the buttons stand on the bar.
const ToolButtonEntry ToolButtonEntries[] = {
    {psPointing, "pointer", "Selection tool", &TMainToolBar::Pointerbutton},
    {psLabel, "label", "Text tool", &TMainToolBar::DrawLabelButton},
    {psMultiLineLabel, "multiline", "Multi-line text tool", &TMainToolBar::DrawMLTextButton},
    {psSymbolLabel, "symbol", "Symbol tool", &TMainToolBar::DrawSymbolButton},
    {psRectangle, "rectangle", "Rectangle tool", &TMainToolBar::DrawRectanglebutton},
    {psEllipse, "ellipse", "Ellipse tool", &TMainToolBar::DrawEllipseButton},
    {psRoundRectangle, "roundrect", "Round Rectangle tool", &TMainToolBar::DrawRoundrectbutton},
    {psLine, "line", "Line Tool", &TMainToolBar::DrawLinebutton},
    {psImage, "clipart", "Clip Art Tool", &TMainToolBar::DrawImageButton},
    {psSuperShape, "supershape", "Supershape tool \rMulti-purpose shapes and surfaces",
     &TMainToolBar::DrawSupershape},
    {psRichLabel, "richtext", "Rich Text tool \rMixed fonts, colors and styles",
     &TMainToolBar::DrawRichText},
    {psSuperText, "supertext",
     "SuperText tool \rSpecial Effects Text - fill with gradients or bitmaps",
     &TMainToolBar::DrawSuperTextButton},
    {psCircleText, "circletext",
     "CircleText Tool \rCircular or semi-circular text using any font",
     &TMainToolBar::DrawCircleTextbutton},
    {psQRCode, "qrcode", "QR Code tool \rThe owner's contact card, a web address or text as a QR code",
     &TMainToolBar::DrawQRCodeButton},
};

} // namespace

TMainToolBar::TMainToolBar(QWidget *parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("Panel2"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(24, 24));
    setFixedHeight(38);
    setContextMenuPolicy(Qt::PreventContextMenu);
    AddToolButtons();
    addSeparator();

    SetBackgroundArtButton = AddButton(QStringLiteral("background"),
                                       QStringLiteral("Change background art"), false);
    connect(SetBackgroundArtButton, &QToolButton::clicked, this,
            &TMainToolBar::BackgroundArtClicked);
    addSeparator();

    ShowGrid = AddButton(QStringLiteral("showgrid"), QStringLiteral("Show grid"), true);
    SnapToGrid = AddButton(QStringLiteral("snaptogrid"), QStringLiteral("Snap to Grid"), true);
    connect(ShowGrid, &QToolButton::clicked, this, &TMainToolBar::ShowGridClicked);
    connect(SnapToGrid, &QToolButton::clicked, this, &TMainToolBar::SnapToGridClicked);
    addSeparator();

    FontSizeDown = AddButton(QStringLiteral("zoomout"), tr("Zoom out"), false);
    FontSizeUp = AddButton(QStringLiteral("zoomin"), tr("Zoom in"), false);
    connect(FontSizeDown, &QToolButton::clicked, this, &TMainToolBar::ZoomOutClicked);
    connect(FontSizeUp, &QToolButton::clicked, this, &TMainToolBar::ZoomInClicked);

    ZoomCaption = new QLabel(QStringLiteral("100%"), this);
    ZoomCaption->setObjectName(QStringLiteral("ZoomCaption"));
    QFont captionFont(QStringLiteral("Arial"));
    captionFont.setBold(true);
    ZoomCaption->setFont(captionFont);
    // A style sheet, as the tool bar's style would override a palette colour.
    ZoomCaption->setStyleSheet(
        QStringLiteral("color: %1").arg(Colors::toQColor(clNavy).name()));
    ZoomCaption->setMinimumWidth(ZoomCaption->fontMetrics().horizontalAdvance(
                                     QStringLiteral("150%")) + 8);
    ZoomCaption->setAlignment(Qt::AlignCenter);
    addWidget(ZoomCaption);
}

QString TMainToolBar::HintText(const QString &hint)
{
    QString text = hint;
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QToolButton *TMainToolBar::AddButton(const QString &icon, const QString &hint, bool checkable)
{
    auto *button = new QToolButton(this);
    button->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(icon)));
    button->setToolTip(HintText(hint));
    button->setCheckable(checkable);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    addWidget(button);
    return button;
}

void TMainToolBar::AddToolButtons()
{
    m_tools.resize(std::size(ToolButtonEntries));
    for (const ToolButtonEntry &entry : ToolButtonEntries) {
        QToolButton *button = AddButton(QLatin1String(entry.icon), QLatin1String(entry.hint), true);
        button->setObjectName(QLatin1String(entry.icon));
        this->*entry.button = button;
        m_tools[entry.state] = button;
        const TLPanelState state = entry.state;
        connect(button, &QToolButton::clicked, this,
                [this, state](bool down) { ToolButtonClicked(state, down); });
    }
}

void TMainToolBar::ToolButtonClicked(TLPanelState state, bool down)
{
    if (down)
        PressTool(state);
    emit ToolClicked(state, down);
}

QToolButton *TMainToolBar::ToolButton(TLPanelState state) const
{
    return m_tools.value(state);
}

std::optional<TLPanelState> TMainToolBar::PressedTool() const
{
    for (int i = 0; i < m_tools.size(); ++i) {
        if (m_tools[i]->isChecked())
            return TLPanelState(i);
    }
    return std::nullopt;
}

void TMainToolBar::PressTool(TLPanelState state)
{
    for (int i = 0; i < m_tools.size(); ++i)
        m_tools[i]->setChecked(i == state);
}

void TMainToolBar::SetZoomText(const QString &text)
{
    ZoomCaption->setText(text);
}
