#include "design/TSafeAreaGuide.h"

#include "design/TGBasePanel.h"
#include "platform/Numbers.h"
#include "platform/ScreenMetrics.h"

#include <QEvent>
#include <QPainter>

TSafeAreaGuide::TSafeAreaGuide(TGBasePanel *panel) : QWidget(panel), m_panel(panel)
{
    setObjectName(QStringLiteral("SafeAreaGuide"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(panel->rect());
    panel->installEventFilter(this);
    hide();
}

QRect TSafeAreaGuide::SafeRect() const
{
    const int inset = Numbers::roundHalfEven(MarginInches * ScreenMetrics::pixelsPerInch() * m_panel->Zoom());
    return m_panel->rect().adjusted(inset, inset, -inset, -inset);
}

bool TSafeAreaGuide::eventFilter(QObject *watched, QEvent *event)
{
    // Zooming and a new card size resize the panel; the guide follows, and
    // stays above the objects' handle.
    if (watched == m_panel && (event->type() == QEvent::Resize || event->type() == QEvent::ChildAdded)) {
        setGeometry(m_panel->rect());
        raise();
    }
    return QWidget::eventFilter(watched, event);
}

void TSafeAreaGuide::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QPen pen(QColor(0, 120, 215), 1, Qt::DashLine);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QRect safe = SafeRect();
    // The rectangle's outline covers its last column and row.
    painter.drawRect(safe.adjusted(0, 0, -1, -1));
}
