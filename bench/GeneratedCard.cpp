#include "GeneratedCard.h"

#include "design/TGBusinessCardPanel32.h"
#include "objects/TBCShapes.h"
#include "objects/TGBusinessCardLabel.h"
#include "objects/TGLineShape.h"
#include "platform/ScreenMetrics.h"

#include <QCoreApplication>
#include <QWidget>

namespace {

constexpr QSize CardSize(336, 192); // 3.5 x 2 inches at 96 pixels per inch

// A small linear congruential generator: the same card for the same size on
// every machine, without depending on the standard library's generators.
class Sequence
{
public:
    explicit Sequence(quint32 seed) : m_state(seed) {}
    int next(int bound)
    {
        m_state = m_state * 1664525u + 1013904223u;
        return int((m_state >> 8) % quint32(bound));
    }

private:
    quint32 m_state;
};

TGGraphicControl *makeLabel(TGBusinessCardPanel32 &panel, int index)
{
    auto *label = new TGBusinessCardLabel(&panel);
    TFont font;
    font.name = index % 3 ? QStringLiteral("Arial") : QStringLiteral("Times New Roman");
    font.setSize(8 + index % 7, 96);
    font.style = fsBold;
    label->SetFont(font);
    label->SetCaption(generatedCaption(index));
    label->SetDirectionShadow(sdDownRight);
    label->SetDepthShadow(2);
    label->SetcolorShadow(clGray);
    label->SetDirectionHighlight(hdUpLeft);
    label->SetDepthHighlight(1);
    label->SetcolorHighlight(clWhite);
    label->SetTransparent(true);
    return label;
}

TGGraphicControl *makeShape(TGBusinessCardPanel32 &panel, int index)
{
    auto *shape = new TBCShapes(&panel);
    shape->SetShape(index % 2 ? stRoundRect : stEllipse);
    TBrush brush;
    brush.color = index % 3 ? clSkyBlue : clMoneyGreen;
    shape->SetBrush(brush);
    TPen pen;
    pen.color = clNavy;
    pen.width = 1 + index % 2;
    shape->SetPen(pen);
    return shape;
}

TGGraphicControl *makeLine(TGBusinessCardPanel32 &panel, int index)
{
    auto *line = new TGLineShape(&panel);
    line->SetLineStyle(index % 2 ? stHorizontal : stVertical);
    TPen pen;
    pen.color = clMaroon;
    pen.width = 1 + index % 3;
    line->SetPen(pen);
    return line;
}

} // namespace

QString generatedCaption(int index)
{
    static const QStringList words = {
        QStringLiteral("Jordan Avery"), QStringLiteral("Design Studio"), QStringLiteral("(555) 010-2233"),
        QStringLiteral("hello@example.com"), QStringLiteral("12 Harbour Street"), QStringLiteral("Creative Director"),
    };
    return words.at(index % words.size());
}

GeneratedCard::GeneratedCard(int objectCount) : m_host(std::make_unique<QWidget>())
{
    ScreenMetrics::setOverride(96);
    m_panel = new TGBusinessCardPanel32(m_host.get());
    m_panel->setGeometry(QRect(QPoint(0, 0), CardSize));
    m_host->resize(CardSize);
    Sequence random(quint32(objectCount) * 2654435761u);
    for (int i = 0; i < objectCount; ++i) {
        TGGraphicControl *object = nullptr;
        QSize size;
        switch (i % 4) {
        case 0: object = makeLabel(*m_panel, i); size = QSize(120, 20); break;
        case 1:
        case 2: object = makeShape(*m_panel, i); size = QSize(20 + random.next(60), 12 + random.next(40)); break;
        default: object = makeLine(*m_panel, i); size = i % 2 ? QSize(40 + random.next(80), 4) : QSize(4, 20 + random.next(60)); break;
        }
        object->Loaded();
        const QPoint at(random.next(CardSize.width() - size.width()), random.next(CardSize.height() - size.height()));
        m_panel->PlaceObject(object, QRect(at, size));
        if (auto *label = qobject_cast<TGBusinessCardLabel *>(object))
            label->FitToText();
    }
    m_panel->SetSuppressChanges(false);
    m_host->show();
    QCoreApplication::processEvents();
}

GeneratedCard::~GeneratedCard() = default;

void GeneratedCard::paintInto(QImage &image)
{
    if (image.size() != m_panel->size())
        image = QImage(m_panel->size(), QImage::Format_RGB32);
    m_panel->render(&image);
}
