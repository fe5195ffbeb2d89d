#pragma once

#include <QWidget>

class TGBusinessCardPanel32;

// The surface the card lies on inside the scroll area, in the button-shadow
// colour: it keeps the card centred with at least a margin around it, grows
// and shrinks with the card, and a click on it beside the card clears the
// selection.
class TCardArea : public QWidget
{
    Q_OBJECT
public:
    static constexpr int CardLeft = 10;
    static constexpr int CardTop = 7;

    explicit TCardArea(QWidget *parent = nullptr);

    // Takes the card as a child.
    void SetCard(TGBusinessCardPanel32 *card);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void FitToCard();
    void CentreCard();

    TGBusinessCardPanel32 *m_card = nullptr;
};
