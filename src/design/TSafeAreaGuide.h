#pragma once

#include <QRect>
#include <QWidget>

class TGBasePanel;

// A dashed line 1/8 inch inside the card's edge, laid over the card panel
// while it is shown: text inside it is safe from the cutter. It is a
// see-through child of the panel that lets every mouse event through, so it
// never appears in a print, an export or the card's own painting.
class TSafeAreaGuide : public QWidget
{
    Q_OBJECT
public:
    explicit TSafeAreaGuide(TGBasePanel *panel);

    static constexpr double MarginInches = 0.125;
    // The safe area in panel pixels at the panel's zoom.
    QRect SafeRect() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    TGBasePanel *m_panel;
};
