#include "widgets/TDFSXPColorButton.h"

#include "widgets/TDFSColorButtonPaletteXP.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace {

// The 16 solid colours a 16-colour display offers, in the order it lists them.
const TColor kVgaColors[] = {clBlack, clMaroon, clGreen, clOlive, clNavy,   clPurple, clTeal, clGray,
                             clSilver, clRed,   clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};

} // namespace

TColorArrayClass TDFSXPColorButton::DefaultPaletteColors(int screenColors)
{
    static const TColor columns[4][5] = {
        {rgbColor(255, 255, 255), rgbColor(255, 0, 0), rgbColor(0, 255, 0), rgbColor(0, 0, 255),
         rgbColor(191, 215, 191)},
        {rgbColor(0, 0, 0), rgbColor(127, 0, 0), rgbColor(0, 127, 0), rgbColor(0, 0, 127),
         rgbColor(159, 191, 239)},
        {rgbColor(191, 191, 191), rgbColor(255, 255, 0), rgbColor(0, 255, 255), rgbColor(255, 0, 255),
         rgbColor(255, 247, 239)},
        {rgbColor(127, 127, 127), rgbColor(127, 127, 0), rgbColor(0, 127, 127), rgbColor(127, 0, 127),
         rgbColor(159, 159, 159)},
    };
    TColorArrayClass table(4, 5);
    for (int x = 1; x <= 4; ++x)
        for (int y = 1; y <= 5; ++y)
            table.SetColor(x, y, columns[x - 1][y - 1]);
    if (screenColors == 16) {
        int i = 0;
        for (int x = 1; x <= 4; ++x)
            for (int y = 1; y <= 5 && i < int(std::size(kVgaColors)); ++y)
                table.SetColor(x, y, kVgaColors[i++]);
    }
    return table;
}

TDFSXPColorButton::TDFSXPColorButton(QWidget *parent) : QToolButton(parent)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int depth = screen ? screen->depth() : 24;
    m_paletteColors = DefaultPaletteColors(depth == 4 ? 16 : 0);
    for (int i = 1; i <= m_customColors.Count(); ++i)
        m_customColors.SetColorAt(i, clWhite);
    setAutoRaise(true);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    resize(45, 22);
    m_paletteIndex = FindPaletteIndex(m_color);
    RebuildSwatch();
    connect(this, &QToolButton::clicked, this, [this] {
        const QPoint pos = m_clickPos.x() >= 0 ? m_clickPos : mapFromGlobal(QCursor::pos());
        m_clickPos = QPoint(-1, -1);
        ClickAt(pos);
    });
}

TDFSXPColorButton::~TDFSXPColorButton()
{
    if (m_palette) {
        m_palette->OnClosed = nullptr;
        m_palette->OnColorChosen = nullptr;
    }
}

int TDFSXPColorButton::FindPaletteIndex(TColor color) const
{
    for (int p = 1; p <= m_paletteColors.Count(); ++p)
        if (m_paletteColors.ColorAt(p) == color)
            return p;
    return 0;
}

void TDFSXPColorButton::SetColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    m_paletteIndex = FindPaletteIndex(color);
    update();
    emit ColorChange(m_color);
    RebuildSwatch();
}

void TDFSXPColorButton::SetPaletteColors(const TColorArrayClass &value)
{
    m_paletteColors = value;
    m_paletteIndex = FindPaletteIndex(m_color);
}

void TDFSXPColorButton::SelectPalettePosition(int position)
{
    if (position == m_paletteIndex || position < 0 || position > m_paletteColors.Count())
        return;
    m_paletteIndex = position;
    m_color = position == 0 ? m_otherColor : m_paletteColors.ColorAt(position);
    update();
    emit ColorChange(m_color);
    RebuildSwatch();
}

void TDFSXPColorButton::RebuildSwatch()
{
    const QSize size(std::max(1, width() - 10), std::max(1, height() - 10));
    m_swatch = QPixmap(size);
    m_swatch.fill(Colors::toQColor(m_color));
    setIconSize(size);
    setIcon(QIcon(m_swatch));
}

void TDFSXPColorButton::resizeEvent(QResizeEvent *event)
{
    QToolButton::resizeEvent(event);
    RebuildSwatch();
}

void TDFSXPColorButton::mouseReleaseEvent(QMouseEvent *event)
{
    m_clickPos = event->position().toPoint();
    QToolButton::mouseReleaseEvent(event);
    m_clickPos = QPoint(-1, -1);
}

void TDFSXPColorButton::ClickAt(QPoint pos)
{
    if (m_cycleColors && pos.x() < width() - 13) {
        const int next = m_paletteIndex + 1;
        SelectPalettePosition(next > m_paletteColors.Count() ? 0 : next);
        return;
    }
    DropDown();
}

void TDFSXPColorButton::DropDown()
{
    if (m_palette)
        return;
    auto *palette = new TDFSColorButtonPaletteXP(this);
    m_palette = palette;
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    palette->move(TDFSColorButtonPaletteXP::PlaceBelow(QRect(mapToGlobal(QPoint(0, 0)), size()), work));
    palette->SetShowColorHints(m_showColorHints);
    palette->SetOtherBtnCaption(m_otherBtnCaption);
    palette->SetOtherColor(m_otherColor);
    palette->SetPaletteColors(m_paletteColors);
    palette->SetCustomColors(m_customColors);
    if (OnGetColorHintText)
        palette->OnGetColorHintText = [this](TColor color, int x, int y, QString &hint) {
            OnGetColorHintText(this, color, x, y, hint);
        };
    palette->OnColorChosen = [this](TColor color, bool fromOther) {
        SetColor(color);
        if (fromOther)
            m_otherColor = color;
    };
    // A click on this button that closes the palette never reaches the
    // button (the palette keeps it), so it cannot drop the palette down again.
    palette->OnClosed = [this, palette](bool) {
        m_customColors = palette->CustomColors();
        setDown(false);
        m_palette = nullptr;
    };
    palette->SetCurrentColor(m_color);
    setDown(true);
    palette->show();
    palette->setFocus();
}
