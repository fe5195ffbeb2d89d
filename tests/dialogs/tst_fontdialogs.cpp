#include "dialogs/TChangeFontAll.h"
#include "dialogs/TFontListBoxx.h"
#include "platform/Fonts.h"

#include <QLabel>
#include <QTest>

class TestFontDialogs : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { TFontListBoxx::SetFamilySource({}, {}); }
    void listKeepsScalableFamiliesUnderDocumentNames();
    void listFallsBackToEveryFontWithoutScalableOnes();
    void glyphIsTheDoubleT();
    void listSelectsFirstFamilyAndRowsAreTwicePointSize();
    void listSortsWithoutRegardToLetterCase();
    void samplesTakeTheFamilyAndKeepTheirStyles();
};

void TestFontDialogs::listKeepsScalableFamiliesUnderDocumentNames()
{
    const QString longName = QStringLiteral("A Very Long Family Name That Goes On And On");
    const QStringList names = TFontListBoxx::FamilyNames(
        {QStringLiteral("zeta"), QStringLiteral("Liberation Sans"), QStringLiteral("Fixed"),
         QStringLiteral("Liberation Serif"), longName, QStringLiteral("Arial"),
         QStringLiteral("zeta [urw]"), QStringLiteral("zeta [UKWN]")},
        [](const QString &f) { return f != QLatin1String("Fixed"); });
    QCOMPARE(names, (QStringList{"A Very Long Family Name That Goe", "Arial", "Times New Roman", "zeta"}));
    QCOMPARE(names.first().size(), 32);
}

void TestFontDialogs::listFallsBackToEveryFontWithoutScalableOnes()
{
    TFontListBoxx::SetFamilySource([] { return QStringList{"Fixed", "Clean", "Bitmap 6x13"}; },
                                   [](const QString &) { return false; });
    TFontListBoxx list;
    list.Reload();
    QCOMPARE(list.count(), 3);
    QCOMPARE(list.item(0)->text(), QStringLiteral("Bitmap 6x13"));
    QCOMPARE(list.SelectedFamily(), QStringLiteral("Bitmap 6x13"));
}

void TestFontDialogs::glyphIsTheDoubleT()
{
    const QImage g = TFontListBoxx::Glyph(Qt::white);
    QCOMPARE(g.size(), QSize(12, 12));
    const auto at = [&](int x, int y) { return QColor(g.pixel(x, y)); };
    // Grey T: the bar (0,0)-(6,0) (the pen stops before its end point), the stem at x 3 and 4.
    QCOMPARE(at(0, 0), QColor(0x80, 0x80, 0x80));
    QCOMPARE(at(6, 0), QColor(0x80, 0x80, 0x80));
    QCOMPARE(at(3, 1), QColor(0x80, 0x80, 0x80));
    // Black T over it, from (4, 3): bar, right serif down to y 5, stem to y 10, foot at y 11.
    QCOMPARE(at(4, 3), QColor(Qt::black));
    QCOMPARE(at(10, 3), QColor(Qt::black));
    QCOMPARE(at(11, 5), QColor(Qt::black));
    QCOMPARE(at(7, 10), QColor(Qt::black));
    QCOMPARE(at(5, 11), QColor(Qt::black));
    QCOMPARE(at(10, 11), QColor(Qt::white)); // the foot stops at x 9
    QCOMPARE(at(11, 0), QColor(Qt::white));
}

void TestFontDialogs::listSelectsFirstFamilyAndRowsAreTwicePointSize()
{
    TFontListBoxx::SetFamilySource([] { return QStringList{"Liberation Serif", "Liberation Sans"}; },
                                   [](const QString &) { return true; });
    TFontListBoxx list;
    QFont font = list.font();
    font.setPointSize(8);
    list.setFont(font);
    list.Reload();
    QCOMPARE(list.SelectedFamily(), QStringLiteral("Arial"));
    QCOMPARE(list.ItemHeight(), 16);
    QCOMPARE(list.visualItemRect(list.item(1)).height(), 16);
}

void TestFontDialogs::listSortsWithoutRegardToLetterCase()
{
    TFontListBoxx::SetFamilySource([] { return QStringList{"zeta", "Zulu", "beta", "Gamma", "alpha"}; },
                                   [](const QString &) { return true; });
    TFontListBoxx list;
    list.Reload();
    QStringList shown;
    for (int i = 0; i < list.count(); ++i)
        shown << list.item(i)->text();
    QCOMPARE(shown, (QStringList{"alpha", "beta", "Gamma", "zeta", "Zulu"}));
    QCOMPARE(list.SelectedFamily(), QStringLiteral("alpha"));
}

void TestFontDialogs::samplesTakeTheFamilyAndKeepTheirStyles()
{
    TFontListBoxx::SetFamilySource([] { return QStringList{"Liberation Serif", "Liberation Mono"}; },
                                   [](const QString &) { return true; });
    TChangeFontAll dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Select A Font"));
    QCOMPARE(dialog.SelectedFont(), QStringLiteral("Courier New"));
    QVERIFY(dialog.OKButton->isDefault());
    const int size = dialog.sample2->font().pixelSize();
    dialog.FontListBox1->setCurrentRow(1); // a click on "Times New Roman"
    QCOMPARE(dialog.SelectedFont(), QStringLiteral("Times New Roman"));
    for (QLabel *s : {dialog.sample1, dialog.sample2, dialog.sample3, dialog.sample4})
        QCOMPARE(s->font().family(), Fonts::resolveFamily(QStringLiteral("Times New Roman")));
    QVERIFY(!dialog.sample1->font().bold() && !dialog.sample1->font().italic());
    QVERIFY(dialog.sample2->font().bold() && !dialog.sample2->font().italic());
    QVERIFY(!dialog.sample3->font().bold() && dialog.sample3->font().italic());
    QVERIFY(dialog.sample4->font().bold() && dialog.sample4->font().italic());
    QCOMPARE(dialog.sample2->font().pixelSize(), size);
    QVERIFY(dialog.sample3->alignment() & Qt::AlignRight);
}

QTEST_MAIN(TestFontDialogs)
#include "tst_fontdialogs.moc"
