#include "app/TCardArea.h"

#include "design/TGBusinessCardPanel32.h"
#include "design/TGHandle.h"
#include "platform/Colors.h"

#include <QEvent>
#include <QMouseEvent>

#include <algorithm>

TCardArea::TCardArea(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Colors::toQColor(clBtnShadow));
    setPalette(p);
}

void TCardArea::SetCard(TGBusinessCardPanel32 *card)
{
    m_card = card;
    card->setParent(this);
    card->move(CardLeft, CardTop);
    card->installEventFilter(this);
    FitToCard();
}

bool TCardArea::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_card && event->type() == QEvent::Resize)
        FitToCard();
    return QWidget::eventFilter(watched, event);
}

void TCardArea::mousePressEvent(QMouseEvent *event)
{
    if (m_card && m_card->Handle()) {
        m_card->Handle()->ClearSelection();
        m_card->Handle()->update();
    }
    QWidget::mousePressEvent(event);
}

void TCardArea::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    CentreCard();
}

void TCardArea::FitToCard()
{
    // The margin right of and below the card matches the one before it.
    setMinimumSize(m_card->width() + 2 * CardLeft, m_card->height() + 2 * CardTop);
    CentreCard();
}

void TCardArea::CentreCard()
{
    if (!m_card)
        return;
    m_card->move(std::max(CardLeft, (width() - m_card->width()) / 2),
                 std::max(CardTop, (height() - m_card->height()) / 2));
}
