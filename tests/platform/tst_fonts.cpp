#include "platform/Fonts.h"
#include "platform/ScreenMetrics.h"

#include <QFontInfo>
#include <QtTest>

namespace {

TFont fontOf(const QString &name, int points, int ppi, TFontStyles style = 0)
{
    TFont font;
    font.name = name;
    font.style = style;
    font.setSize(points, ppi);
    return font;
}

void compareMetrics(const TTextMetrics &actual, std::initializer_list<int> expected)
{
    const int *e = expected.begin();
    QCOMPARE(actual.height, e[0]);
    QCOMPARE(actual.ascent, e[1]);
    QCOMPARE(actual.descent, e[2]);
    QCOMPARE(actual.internalLeading, e[3]);
    QCOMPARE(actual.externalLeading, e[4]);
    QCOMPARE(actual.averageCharWidth, e[5]);
}

} // namespace

class TestFonts : public QObject
{
    Q_OBJECT
private slots:
    void init() { ScreenMetrics::setOverride(96); }
    void cleanup() { ScreenMetrics::resetOverride(); }

    void pointSizesAndHeightsConvertWithMulDiv()
    {
        TFont font;
        font.setSize(10, 96);
        QCOMPARE(font.height, -13);
        QCOMPARE(font.size(96), 10);
        font.setSize(10, 120);
        QCOMPARE(font.height, -17);
        QCOMPARE(font.size(120), 10);
        font.setSize(8, 96); // 10.67 pixels
        QCOMPARE(font.height, -11);
        font.height = -14; // 10.5 points: the half goes away from zero
        QCOMPARE(font.size(96), 11);
        font.height = -15; // 11.25 points
        QCOMPARE(font.size(96), 11);
        font.height = 16; // a cell height reads as a negative size, as on the platform
        QCOMPARE(font.size(96), -12);
    }

    void windowsFontNamesUseTheirInstalledStandIns()
    {
        QCOMPARE(Fonts::resolveFamily("Arial"), QString("Liberation Sans"));
        QCOMPARE(Fonts::resolveFamily("ARIAL"), QString("Liberation Sans"));
        QCOMPARE(Fonts::resolveFamily("Helvetica"), QString("Liberation Sans"));
        QCOMPARE(Fonts::resolveFamily("Times New Roman"), QString("Liberation Serif"));
        QCOMPARE(Fonts::resolveFamily("times  new roman"), QString("Liberation Serif"));
        QCOMPARE(Fonts::resolveFamily("Courier New"), QString("Liberation Mono"));
        QCOMPARE(Fonts::resolveFamily("Courier"), QString("Liberation Mono"));
        QCOMPARE(Fonts::resolveFamily("DejaVu Serif"), QString("DejaVu Serif"));
        QCOMPARE(Fonts::resolveFamily("No Such Font"), QString("No Such Font"));
    }

    void substitutesAreFontsThatAreReallyInstalled()
    {
        for (const char *name : {"Arial", "Times New Roman", "Courier New", "Arial Narrow",
                                 "Symbol", "WingDings", "Wingdings 2", "WEBDINGS"}) {
            TFont font;
            font.name = QString::fromLatin1(name);
            const QFont qfont = Fonts::toQFont(font, 96);
            QVERIFY2(QFontInfo(qfont).family().startsWith(qfont.family(), Qt::CaseInsensitive),
                     name);
        }
        const QString symbol = Fonts::resolveFamily("Wingdings");
        QVERIFY(symbol == "Symbola" || symbol == "DejaVu Sans");
        QCOMPARE(Fonts::resolveFamily("symbol"), symbol);
        QVERIFY(Fonts::isSymbolFontName("WINGDINGS  3"));
        QVERIFY(!Fonts::isSymbolFontName("Arial"));
    }

    void standInsMapBackToWindowsNames()
    {
        QCOMPARE(Fonts::windowsName("Liberation Sans"), QString("Arial"));
        QCOMPARE(Fonts::windowsName("Liberation Serif"), QString("Times New Roman"));
        QCOMPARE(Fonts::windowsName("Liberation Mono"), QString("Courier New"));
        QCOMPARE(Fonts::windowsName("DejaVu Sans"), QString("DejaVu Sans"));
    }

    void tenPointArialMeasuresLikeThePlatformAt96()
    {
        const TFont arial = fontOf("Arial", 10, 96);
        const TTextMetrics metrics = Fonts::metrics(arial, 96);
        compareMetrics(metrics, {15, 12, 3, 2, 0, 6});
        QCOMPARE(metrics.characterHeight(), 13);
    }

    void tenPointArialMeasuresLikeThePlatformAt120()
    {
        const TFont arial = fontOf("Arial", 10, 120);
        QCOMPARE(arial.height, -17);
        const TTextMetrics metrics = Fonts::metrics(arial, 120);
        compareMetrics(metrics, {19, 15, 4, 2, 1, 8});
        QCOMPARE(metrics.characterHeight(), 17);
    }

    void otherStandInsMeasureLikeTheirOriginals()
    {
        compareMetrics(Fonts::metrics(fontOf("Times New Roman", 10, 96), 96), {15, 12, 3, 2, 1, 5});
        compareMetrics(Fonts::metrics(fontOf("Courier New", 10, 96), 96), {15, 11, 4, 2, 0, 8});
    }

    void positiveHeightIsTheCellHeight()
    {
        for (int cell : {16, 20, 37, 100}) {
            TFont font;
            font.height = cell;
            const TTextMetrics metrics = Fonts::metrics(font, 96);
            QCOMPARE(metrics.height, cell);
            QCOMPARE(Fonts::toQFont(font, 96).pixelSize(), cell - metrics.internalLeading);
        }
        TFont sixteen;
        sixteen.height = 16;
        QCOMPARE(Fonts::toQFont(sixteen, 96).pixelSize(), 14);
    }

    void zeroHeightIsTenPoints()
    {
        TFont font;
        font.height = 0;
        QCOMPARE(Fonts::toQFont(font, 96).pixelSize(), 13);
        QCOMPARE(Fonts::toQFont(font, 120).pixelSize(), 17);
    }

    void measuringIgnoresTheScreen()
    {
        const TFont arial = fontOf("Arial", 12, 96);
        const QFont qfont = Fonts::toQFont(arial, 96);
        QCOMPARE(qfont.pointSize(), -1);
        QCOMPARE(qfont.pixelSize(), 16);
        const QSize at96 = Fonts::textExtent(arial, 96, "Business Card");
        ScreenMetrics::setOverride(120);
        QCOMPARE(Fonts::textExtent(arial, 96, "Business Card"), at96);
        QCOMPARE(Fonts::metrics(arial, 96).height, Fonts::metrics(arial, 96).ascent
                     + Fonts::metrics(arial, 96).descent);
    }

    void stylesReachTheQFont()
    {
        const TFont plain = fontOf("Arial", 10, 96);
        const TFont styled = fontOf("Arial", 10, 96, fsBold | fsItalic | fsUnderline | fsStrikeOut);
        const QFont qfont = Fonts::toQFont(styled, 96);
        QVERIFY(qfont.bold());
        QVERIFY(qfont.italic());
        QVERIFY(qfont.underline());
        QVERIFY(qfont.strikeOut());
        const QFont qplain = Fonts::toQFont(plain, 96);
        QVERIFY(!qplain.bold() && !qplain.italic() && !qplain.underline() && !qplain.strikeOut());
        QVERIFY(Fonts::textExtent(fontOf("Arial", 20, 96, fsBold), 96, "Bold text").width()
                > Fonts::textExtent(fontOf("Arial", 20, 96), 96, "Bold text").width());
    }

    void textExtentIsTheSumOfWholePixelAdvances()
    {
        const TFont arial = fontOf("Arial", 10, 96);
        const QString text = QStringLiteral("AVAWAY To. Hello");
        int sum = 0;
        for (const QChar c : text)
            sum += Fonts::textExtent(arial, 96, QString(c)).width();
        const QSize extent = Fonts::textExtent(arial, 96, text);
        QCOMPARE(extent.width(), sum); // no kerning, no fractional advances
        QCOMPARE(extent.height(), 15);
        QCOMPARE(Fonts::textExtent(arial, 96, QString()).width(), 0);
        QCOMPARE(Fonts::textExtent(arial, 96, "Hello World").width(), 66);
    }

    void fontChosenInADialogKeepsTheDocumentsNames()
    {
        TFont base = fontOf("arial", 10, 96);
        base.color = clRed;
        base.charset = ANSI_CHARSET;

        QFont serif(QStringLiteral("Liberation Serif"));
        serif.setPointSize(12);
        serif.setBold(true);
        const TFont chosen = Fonts::fromQFont(serif, base, 96);
        QCOMPARE(chosen.name, QString("Times New Roman"));
        QCOMPARE(chosen.height, -16);
        QCOMPARE(chosen.style, TFontStyles(fsBold));
        QCOMPARE(chosen.color, clRed);
        QCOMPARE(chosen.charset, ANSI_CHARSET);

        QFont sans(QStringLiteral("Liberation Sans"));
        sans.setPixelSize(20);
        sans.setItalic(true);
        const TFont same = Fonts::fromQFont(sans, base, 96);
        QCOMPARE(same.name, QString("arial"));
        QCOMPARE(same.height, -20);
        QCOMPARE(same.style, TFontStyles(fsItalic));
    }
};

QTEST_MAIN(TestFonts)
#include "tst_fonts.moc"
