#pragma once

#include <QImage>
#include <QString>

#include <memory>

class TGBusinessCardPanel32;
class QWidget;

// A card panel in a plain host window, filled with a repeatable mix of the
// objects people put on cards: bold labels with shadow and highlight,
// rounded rectangles, ellipses and lines, spread over the whole card. Every
// object class the program knows can appear; the mix is the same for every
// run of the same size.
class GeneratedCard
{
public:
    explicit GeneratedCard(int objectCount);
    ~GeneratedCard();

    TGBusinessCardPanel32 &panel() { return *m_panel; }
    QWidget &host() { return *m_host; }

    // The panel's own painting of the whole card into `image` (sized to the panel).
    void paintInto(QImage &image);

private:
    std::unique_ptr<QWidget> m_host;
    TGBusinessCardPanel32 *m_panel; // owned by the host
};

// Text for label number `index` of a generated card.
QString generatedCaption(int index);
