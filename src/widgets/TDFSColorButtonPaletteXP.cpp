#include "widgets/TDFSColorButtonPaletteXP.h"

#include "platform/UserDialogs.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QToolTip>

namespace {

QColor qc(TColor color)
{
    return Colors::toQColor(color);
}

// A one-pixel frame just inside `r`: top and left in one colour, bottom and
// right in another.
void frame3D(QPainter &painter, const QRect &r, TColor topLeft, TColor bottomRight)
{
    const int l = r.left(), t = r.top(), rr = r.right(), b = r.bottom();
    painter.fillRect(QRect(l, t, r.width(), 1), qc(topLeft));
    painter.fillRect(QRect(l, t, 1, r.height()), qc(topLeft));
    painter.fillRect(QRect(l, b, r.width(), 1), qc(bottomRight));
    painter.fillRect(QRect(rr, t, 1, r.height()), qc(bottomRight));
}

// The "other" cell and the area where the mouse counts as over it.
const QRect kOtherCellRect(53, 98 + (21 - 18) / 2, 18, 18);
const QRect kOtherHotArea(53, 96, 19, 18); // x 53..71, y 96..113

} // namespace

TDFSColorButtonPaletteXP::TDFSColorButtonPaletteXP(QWidget *owner)
    : QWidget(owner, Qt::Popup | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kClientWidth, kClientHeight);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    m_otherButton = new QPushButton(QStringLiteral("&Other"), this);
    m_otherButton->setGeometry(1, 98, 50, 21);
    m_otherButton->setFocusPolicy(Qt::NoFocus);
    connect(m_otherButton, &QPushButton::clicked, this, &TDFSColorButtonPaletteXP::ChooseOtherColor);
    m_custom = TColorArrayClass(8, 2);
    for (int i = 1; i <= m_custom.Count(); ++i)
        m_custom.SetColorAt(i, clWhite);
}

TDFSColorButtonPaletteXP::~TDFSColorButtonPaletteXP()
{
    QToolTip::hideText();
}

void TDFSColorButtonPaletteXP::SetOtherBtnCaption(const QString &caption)
{
    m_otherButton->setText(caption);
}

void TDFSColorButtonPaletteXP::SetOtherColor(TColor color)
{
    m_otherColor = color;
    update();
}

void TDFSColorButtonPaletteXP::SetCurrentColor(TColor color)
{
    m_currentColor = color;
    HighlightColor(color);
}

QPoint TDFSColorButtonPaletteXP::CellAt(QPoint p)
{
    if (p.x() >= 0 && p.y() >= 0 && p.x() < kColumns * kCellSize && p.y() < kRows * kCellSize)
        return QPoint(p.x() / kCellSize + 1, p.y() / kCellSize + 1);
    if (kOtherHotArea.contains(p))
        return kOtherCell;
    return kNoCell;
}

QRect TDFSColorButtonPaletteXP::CellRect(QPoint cell)
{
    if (cell == kOtherCell)
        return kOtherCellRect;
    return QRect((cell.x() - 1) * kCellSize, (cell.y() - 1) * kCellSize, kCellSize, kCellSize);
}

TColor TDFSColorButtonPaletteXP::CellColor(QPoint cell) const
{
    if (cell == kOtherCell)
        return m_otherColor;
    return m_palette.Color(cell.x(), cell.y());
}

static bool validCell(QPoint cell)
{
    return cell == TDFSColorButtonPaletteXP::kOtherCell
        || (cell.x() >= 1 && cell.x() <= TDFSColorButtonPaletteXP::kColumns && cell.y() >= 1
            && cell.y() <= TDFSColorButtonPaletteXP::kRows);
}

void TDFSColorButtonPaletteXP::SetHighlight(QPoint cell)
{
    if (!validCell(cell))
        cell = kNoCell;
    if (cell == m_highlight)
        return;
    m_highlight = cell;
    update();
}

void TDFSColorButtonPaletteXP::HighlightColor(TColor color)
{
    const TColor wanted = Colors::resolve(color);
    for (int y = 1; y <= kRows; ++y)
        for (int x = 1; x <= kColumns; ++x)
            if (Colors::resolve(m_palette.Color(x, y)) == wanted) {
                SetHighlight(QPoint(x, y));
                return;
            }
    SetHighlight(Colors::resolve(m_otherColor) == wanted ? kOtherCell : kNoCell);
}

QString TDFSColorButtonPaletteXP::HintText(QPoint cell) const
{
    const QColor rgb = qc(CellColor(cell));
    QString hint = QString::asprintf("RGB = %.3d %.3d %.3d", rgb.red(), rgb.green(), rgb.blue());
    if (OnGetColorHintText)
        OnGetColorHintText(CellColor(cell), cell.x(), cell.y(), hint);
    return hint;
}

QPoint TDFSColorButtonPaletteXP::PlaceBelow(const QRect &button, const QRect &work)
{
    QPoint p(button.left(), button.top() + button.height());
    if (p.y() + kClientHeight > work.top() + work.height())
        p.setY(button.top() - kClientHeight);
    if (p.x() < work.left())
        p.setX(work.left());
    else if (p.x() + kClientWidth > work.left() + work.width())
        p.setX(work.left() + work.width() - 78);
    return p;
}

void TDFSColorButtonPaletteXP::paintCell(QPainter &painter, QPoint cell) const
{
    const QRect r = CellRect(cell);
    if (cell == m_highlight) {
        frame3D(painter, r, cl3DDkShadow, cl3DDkShadow);
        frame3D(painter, r.adjusted(1, 1, -1, -1), clBtnHighlight, clBtnHighlight);
        frame3D(painter, r.adjusted(2, 2, -2, -2), cl3DDkShadow, cl3DDkShadow);
    } else {
        frame3D(painter, r, clWindow, clWindow);
        frame3D(painter, r.adjusted(1, 1, -1, -1), clBtnShadow, clBtnHighlight);
        frame3D(painter, r.adjusted(2, 2, -2, -2), cl3DDkShadow, cl3DLight);
    }
    painter.fillRect(r.adjusted(3, 3, -3, -3), qc(CellColor(cell)));
}

void TDFSColorButtonPaletteXP::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), qc(clBtnFace));
    for (int y = 1; y <= kRows; ++y)
        for (int x = 1; x <= kColumns; ++x)
            paintCell(painter, QPoint(x, y));
    painter.fillRect(QRect(0, 93, kClientWidth, 1), qc(clBtnShadow));
    painter.fillRect(QRect(0, 94, kClientWidth, 1), qc(clBtnHighlight));
    paintCell(painter, kOtherCell);
}

void TDFSColorButtonPaletteXP::mousePressEvent(QMouseEvent *event)
{
    // A press on the owning button closes the palette and ends there: were
    // it replayed, the button would drop the palette down again.
    const QWidget *owner = parentWidget();
    const QPoint global = event->globalPosition().toPoint();
    if (!rect().contains(event->position().toPoint()) && owner
        && owner->rect().contains(owner->mapFromGlobal(global)))
        setAttribute(Qt::WA_NoMouseReplay);
    QWidget::mousePressEvent(event);
}

void TDFSColorButtonPaletteXP::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint cell = CellAt(event->position().toPoint());
    SetHighlight(cell);
    if (!m_showHints)
        return;
    if (cell == kNoCell) {
        QToolTip::hideText();
        return;
    }
    const QRect r = CellRect(cell);
    QToolTip::showText(mapToGlobal(QPoint(r.left(), r.bottom() + 1)), HintText(cell), this, r);
}

void TDFSColorButtonPaletteXP::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint cell = CellAt(event->position().toPoint());
    if (cell != kNoCell && OnColorChosen)
        OnColorChosen(CellColor(cell), cell == kOtherCell);
    close();
}

void TDFSColorButtonPaletteXP::chooseCell(QPoint cell)
{
    if (cell != kNoCell && OnColorChosen)
        OnColorChosen(CellColor(cell), cell == kOtherCell);
}

void TDFSColorButtonPaletteXP::moveHighlight(int dx, int dy)
{
    if (m_highlight == kNoCell) {
        SetHighlight(QPoint(1, 1));
        return;
    }
    if (dx != 0 && m_highlight == kOtherCell)
        return;
    const QPoint next = m_highlight + QPoint(dx, dy);
    if (validCell(next))
        SetHighlight(next);
}

void TDFSColorButtonPaletteXP::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_closedByKey = true;
        chooseCell(m_highlight);
        close();
        break;
    case Qt::Key_Escape:
        m_closedByKey = true;
        close();
        break;
    case Qt::Key_Left:
        moveHighlight(-1, 0);
        break;
    case Qt::Key_Right:
        moveHighlight(1, 0);
        break;
    case Qt::Key_Up:
        moveHighlight(0, -1);
        break;
    case Qt::Key_Down:
        moveHighlight(0, 1);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TDFSColorButtonPaletteXP::ChooseOtherColor()
{
    QList<TColor> custom;
    for (int i = 1; i <= m_custom.Count(); ++i)
        custom.append(m_custom.ColorAt(i));
    // While the pop-up is shown it takes every click and key, so the dialog
    // could not be used: hide it first. It closes, and hands its custom
    // colours back, only after the dialog.
    QPointer<TDFSColorButtonPaletteXP> alive(this);
    m_inColorDialog = true;
    hide();
    const std::optional<TColor> chosen = UserDialogs::current().chooseColorWithCustom(m_currentColor, custom);
    if (!alive)
        return;
    m_inColorDialog = false;
    if (chosen) {
        m_otherColor = *chosen;
        for (int i = 1; i <= m_custom.Count(); ++i)
            m_custom.SetColorAt(i, i <= custom.size() ? custom.at(i - 1) : clWhite);
        if (OnColorChosen)
            OnColorChosen(m_otherColor, true);
    }
    close();
}

void TDFSColorButtonPaletteXP::closeEvent(QCloseEvent *event)
{
    // Nothing closes it under the colour dialog: the dialog's answer comes first.
    if (m_inColorDialog) {
        event->ignore();
        return;
    }
    event->accept();
    if (m_closed)
        return;
    m_closed = true;
    QToolTip::hideText();
    if (OnClosed)
        OnClosed(m_closedByKey);
}
