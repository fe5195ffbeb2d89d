#include "design/TGBusinessCardPanel32.h"
#include "design/TextFit.h"
#include "objects/TGBusinessCardLabel.h"
#include "objects/TGMultiLineLabel.h"
#include "platform/Fonts.h"
#include "platform/ScreenMetrics.h"
#include "support/ScriptedDialogs.h"

#include <QTest>

// The fit check names the labels whose text would be cut off: past the
// label's own box, or past the card's edge.
class TestTextFit : public QObject
{
    Q_OBJECT
private slots:
    void init() { ScreenMetrics::setOverride(96); }
    void labelsThatFitAreNotNamed();
    void textPastItsBoxIsNamed_data();
    void textPastItsBoxIsNamed();
    void textOffTheCardIsNamed();
    void turnedTextIsMeasuredAlongItsLine();
    void multiLineTextIsCheckedLineByLine();
    void wrappedTextIsCheckedByItsWrappedLines_data();
    void wrappedTextIsCheckedByItsWrappedLines();
    void theUserIsToldOnceForAllLabels();

private:
    static TGBusinessCardLabel *addLabel(TGBusinessCardPanel32 &panel, const QString &caption, QRect bounds,
                                         TAlignment alignment = taLeftJustify)
    {
        auto *label = new TGBusinessCardLabel(&panel);
        panel.AddObject(label);
        label->SetCaption(caption);
        label->SetAlignment(alignment);
        label->SetBounds(bounds);
        label->RecalcLayout();
        return label;
    }
};

void TestTextFit::labelsThatFitAreNotNamed()
{
    TGBusinessCardPanel32 panel;
    panel.resize(336, 192);
    addLabel(panel, "Northwind", QRect(10, 10, 200, 20));
    addLabel(panel, "Landscape", QRect(10, 40, 200, 20), taCenter);
    addLabel(panel, "Architecture", QRect(10, 70, 200, 20), taRightJustify);
    QVERIFY(TextFit::check(panel).isEmpty());
    QVERIFY(TextFit::message(TextFit::check(panel)).isEmpty());
}

void TestTextFit::textPastItsBoxIsNamed_data()
{
    QTest::addColumn<int>("alignment");
    QTest::newRow("left") << int(taLeftJustify);
    QTest::newRow("centre") << int(taCenter);
    QTest::newRow("right") << int(taRightJustify);
}

void TestTextFit::textPastItsBoxIsNamed()
{
    QFETCH(int, alignment);
    TGBusinessCardPanel32 panel;
    panel.resize(336, 192);
    TGBusinessCardLabel *label = addLabel(panel, "Northwind Landscape Architecture", QRect(100, 10, 80, 20),
                                          TAlignment(alignment));
    const QList<TextFit::Overflow> overflows = TextFit::check(panel);
    QCOMPARE(overflows.size(), 1);
    QCOMPARE(overflows.first().objectName, label->Name());
    QVERIFY(overflows.first().pastBox);
    QVERIFY(!overflows.first().offCard); // what shows of it is the box
    QCOMPARE(TextFit::describe(overflows),
             QStringList{QStringLiteral("\"Northwind Landscape Architecture\" (%1) runs past its box").arg(label->Name())});
}

void TestTextFit::textOffTheCardIsNamed()
{
    TGBusinessCardPanel32 panel;
    panel.resize(336, 192);
    addLabel(panel, "Northwind", QRect(300, 10, 100, 20));
    addLabel(panel, "Landscape", QRect(-30, 40, 100, 20));
    addLabel(panel, "Architecture", QRect(10, 185, 150, 20));
    const QList<TextFit::Overflow> overflows = TextFit::check(panel);
    QCOMPARE(overflows.size(), 3);
    for (const TextFit::Overflow &o : overflows) {
        QVERIFY(o.offCard);
        QVERIFY(!o.pastBox);
    }
    // A box beyond the card holding no letters there is no fault.
    TGBusinessCardPanel32 wide;
    wide.resize(336, 192);
    addLabel(wide, "Northwind", QRect(200, 10, 300, 20));
    QVERIFY(TextFit::check(wide).isEmpty());
}

void TestTextFit::turnedTextIsMeasuredAlongItsLine()
{
    TGBusinessCardPanel32 panel;
    panel.resize(192, 336);
    TGBusinessCardLabel *up = addLabel(panel, "Northwind Landscape Architecture", QRect(10, 10, 20, 300));
    up->SetAngle(90);
    up->SetBounds(10, 10, 20, 300);
    TGBusinessCardLabel *down = addLabel(panel, "Northwind Landscape Architecture", QRect(40, 10, 20, 100));
    down->SetAngle(270);
    down->SetBounds(40, 10, 20, 100);
    const QList<TextFit::Overflow> overflows = TextFit::check(panel);
    QCOMPARE(overflows.size(), 1);
    QCOMPARE(overflows.first().objectName, down->Name());
    QVERIFY(overflows.first().pastBox);
}

void TestTextFit::multiLineTextIsCheckedLineByLine()
{
    TGBusinessCardPanel32 panel;
    panel.resize(336, 192);
    auto *lines = new TGMultiLineLabel(&panel);
    panel.AddObject(lines);
    lines->SetBounds(10, 10, 120, 40);
    lines->SetItems({"Northwind", "Landscape"});
    QVERIFY(TextFit::check(panel).isEmpty());
    lines->SetItems({"Northwind", "Landscape Architecture Company"});
    QCOMPARE(TextFit::check(panel).size(), 1);
    lines->SetItems({"Northwind", "Landscape", "Architecture", "Company"}); // more lines than the box holds
    QCOMPARE(TextFit::check(panel).size(), 1);
}

void TestTextFit::wrappedTextIsCheckedByItsWrappedLines_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("ppi");
    for (int ppi : {96, 120}) {
        QTest::addRow("left at %d", ppi) << int(taLeftJustify) << ppi;
        QTest::addRow("centre at %d", ppi) << int(taCenter) << ppi;
        QTest::addRow("right at %d", ppi) << int(taRightJustify) << ppi;
    }
}

// A wrapped label is measured by the lines the wrap gives: more of them than
// the box is high, or a word cut because no line can hold it, does not fit.
void TestTextFit::wrappedTextIsCheckedByItsWrappedLines()
{
    QFETCH(int, alignment);
    QFETCH(int, ppi);
    ScreenMetrics::setOverride(ppi);
    TGBusinessCardPanel32 panel;
    panel.resize(7 * ppi / 2, 2 * ppi);
    auto *lines = new TGMultiLineLabel(&panel);
    panel.AddObject(lines);
    TFont font = lines->Font();
    font.setSize(7, ppi);
    lines->SetFont(font);
    lines->SetAlignment(TAlignment(alignment));
    const int h = Fonts::textExtent(font, ppi, QStringLiteral("XXX")).height();
    const int width = 168 * ppi / 96;
    lines->SetBounds(10, 10, width, 2 * h + 2);
    lines->SetWordWrap(true);
    const QString address = QStringLiteral("Suite 4100, Transamerica Pyramid, 600 Montgomery Street West");
    lines->SetItems({address});
    QCOMPARE(lines->WrappedLines().size(), 2);
    QVERIFY(Fonts::textExtent(font, ppi, address).width() > width); // one line would not do
    QVERIFY(TextFit::check(panel).isEmpty());

    // A third line runs past the box's bottom.
    lines->SetItems({address + QStringLiteral(" and Annexe")});
    QCOMPARE(lines->WrappedLines().size(), 3);
    QList<TextFit::Overflow> overflows = TextFit::check(panel);
    QCOMPARE(overflows.size(), 1);
    QVERIFY(overflows.first().pastBox);
    lines->SetBounds(10, 10, width, 3 * h);
    QVERIFY(TextFit::check(panel).isEmpty());

    // A word wider than a line is cut into pieces that each fit the width,
    // within a box high enough for all of them: still the word is cut.
    const QString email = QStringLiteral("b.featherstonehaugh@northwind-design.com");
    lines->SetItems({QStringLiteral("Mail ") + email});
    lines->SetBounds(10, 10, width / 2, 8 * h);
    QVERIFY(lines->WrappedLines().size() >= 3);
    QCOMPARE(lines->WrappedLines().first(), QStringLiteral("Mail "));
    for (const QRectF &run : lines->TextRuns().mid(1, 1))
        QVERIFY(run.width() > width / 2);
    overflows = TextFit::check(panel);
    QCOMPARE(overflows.size(), 1);
    QVERIFY(overflows.first().pastBox);
    QVERIFY(!overflows.first().offCard);
    // Wide enough for the word: it is one line, and fits.
    lines->SetItems({email});
    lines->SetBounds(0, 10, 2 * width, 8 * h);
    QCOMPARE(lines->WrappedLines(), QStringList{email});
    QVERIFY(TextFit::check(panel).isEmpty());
}

void TestTextFit::theUserIsToldOnceForAllLabels()
{
    ScopedScriptedDialogs dialogs;
    TGBusinessCardPanel32 panel;
    panel.resize(336, 192);
    addLabel(panel, "Northwind", QRect(10, 10, 200, 20));
    QVERIFY(TextFit::tellUser(panel));
    QCOMPARE(dialogs->informations().size(), 0);
    TGBusinessCardLabel *a = addLabel(panel, "Northwind Landscape Architecture", QRect(10, 40, 60, 20));
    TGBusinessCardLabel *b = addLabel(panel, "b.featherstonehaugh@northwind-design.com", QRect(250, 70, 300, 20));
    QVERIFY(!TextFit::tellUser(panel));
    QCOMPARE(dialogs->informations().size(), 1);
    const QString text = dialogs->informations().first();
    QVERIFY2(text.contains(a->Name() + ") runs past its box") && text.contains(b->Name() + ") runs off the card"),
             qPrintable(text));
}

QTEST_MAIN(TestTextFit)
#include "tst_textfit.moc"
