#include "platform/Colors.h"

#include <QtTest>

class TestColors : public QObject
{
    Q_OBJECT
private slots:
    void namedColoursAreWrittenByName()
    {
        QCOMPARE(Colors::colorToString(clBlack), QString("clBlack"));
        QCOMPARE(Colors::colorToString(clRed), QString("clRed"));
        QCOMPARE(Colors::colorToString(clBtnFace), QString("clBtnFace"));
        QCOMPARE(Colors::colorToString(clWindowText), QString("clWindowText"));
        QCOMPARE(Colors::colorToString(clNone), QString("clNone"));
        QCOMPARE(Colors::colorToString(clDefault), QString("clDefault"));
        // The grey aliases share their value with a named colour.
        QCOMPARE(Colors::colorToString(clLtGray), QString("clSilver"));
    }

    void otherColoursAreWrittenAsEightHexDigits()
    {
        QCOMPARE(Colors::colorToString(0x00FF8000), QString("$00FF8000"));
        QCOMPARE(Colors::colorToString(rgbColor(1, 2, 3)), QString("$00030201"));
        QCOMPARE(Colors::colorToString(systemColor(25)), QString("$80000019"));
    }

    void colourTextReadsNamesHexAndDecimal()
    {
        QCOMPARE(Colors::stringToColor("clNavy"), std::optional<TColor>(clNavy));
        QCOMPARE(Colors::stringToColor("CLNAVY"), std::optional<TColor>(clNavy));
        QCOMPARE(Colors::stringToColor(" clBtnFace "), std::optional<TColor>(clBtnFace));
        QCOMPARE(Colors::stringToColor("$00FF8000"), std::optional<TColor>(0x00FF8000));
        QCOMPARE(Colors::stringToColor("$ff"), std::optional<TColor>(clRed));
        QCOMPARE(Colors::stringToColor("0x0000FF00"), std::optional<TColor>(clLime));
        QCOMPARE(Colors::stringToColor("16711680"), std::optional<TColor>(clBlue));
        QCOMPARE(Colors::stringToColor("$80000005"), std::optional<TColor>(clWindow));
        QCOMPARE(Colors::stringToColor("-2147483643"), std::optional<TColor>(clWindow));
    }

    void everyColourSurvivesTheRoundTrip()
    {
        const TColor samples[] = {clBlack, clWhite, clCream, clMedGray, clNone, clDefault,
                                  clHighlight, clMenuBar, cl3DDkShadow, 0x00123456,
                                  systemColor(25), TColor(0xFFFFFFFF)};
        for (TColor color : samples)
            QCOMPARE(Colors::stringToColor(Colors::colorToString(color)),
                     std::optional<TColor>(color));
    }

    void unknownColourTextFails()
    {
        QCOMPARE(Colors::stringToColor("reddish"), std::nullopt);
        QCOMPARE(Colors::stringToColor(""), std::nullopt);
        QCOMPARE(Colors::stringToColor("$"), std::nullopt);
        QCOMPARE(Colors::stringToColor("$GG"), std::nullopt);
        QCOMPARE(Colors::stringToColor("12abc"), std::nullopt);
        QCOMPARE(Colors::stringToColor("$100000000"), std::nullopt);
        QCOMPARE(Colors::identToColor("clBrown"), std::nullopt);
        QCOMPARE(Colors::colorToIdent(0x00123456), std::nullopt);
    }

    void systemColoursResolveToTheirUsualRgb()
    {
        QVERIFY(Colors::isSystemColor(clBtnFace));
        QVERIFY(!Colors::isSystemColor(clBlue));
        QVERIFY(!Colors::isSystemColor(clNone));
        QCOMPARE(Colors::toQColor(clBtnFace), QColor(240, 240, 240));
        QCOMPARE(Colors::toQColor(clWindow), QColor(255, 255, 255));
        QCOMPARE(Colors::toQColor(clWindowText), QColor(0, 0, 0));
        QCOMPARE(Colors::toQColor(clBtnShadow), QColor(160, 160, 160));
        QCOMPARE(Colors::toQColor(clHighlight), QColor(0, 120, 215));
        QCOMPARE(Colors::toQColor(clInfoBk), QColor(255, 255, 225));
        // An index past the table does not read outside it.
        QCOMPARE(Colors::resolve(systemColor(200)), clBlack);
    }

    void plainColoursConvertBothWaysInBgrOrder()
    {
        QCOMPARE(Colors::toQColor(clRed), QColor(255, 0, 0));
        QCOMPARE(Colors::toQColor(clBlue), QColor(0, 0, 255));
        QCOMPARE(Colors::toQColor(rgbColor(10, 20, 30)), QColor(10, 20, 30));
        QCOMPARE(Colors::fromQColor(QColor(10, 20, 30)), rgbColor(10, 20, 30));
        QCOMPARE(Colors::fromQColor(QColor::fromHsv(0, 255, 255)), clRed);
        // A palette-index byte above the RGB value is ignored when drawing.
        QCOMPARE(Colors::resolve(0x02FF8000), 0x00FF8000);
    }

    void noneAndDefaultHaveFixedStandIns()
    {
        QCOMPARE(Colors::resolve(clNone), clWhite);
        QCOMPARE(Colors::resolve(clDefault), clBlack);
        QCOMPARE(Colors::identToColor("clnone"), std::optional<TColor>(clNone));
        QCOMPARE(Colors::identToColor("clDefault"), std::optional<TColor>(clDefault));
    }
};

QTEST_GUILESS_MAIN(TestColors)
#include "tst_colors.moc"
