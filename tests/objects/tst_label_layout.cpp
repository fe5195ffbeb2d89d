#include "LabelImages.h"

#include "objects/TGPLabel.h"
#include "platform/Fonts.h"
#include "platform/Numbers.h"
#include "platform/ScreenMetrics.h"

#include <QPicture>
#include <QtTest>

using namespace LabelImages;

// How a text label measures, places and draws its text, shadow and highlight.
class TestLabelLayout : public QObject
{
    Q_OBJECT

private:
    // Line height and text width as the label measures them. The text
    // height is the full cell (ascent + descent, which holds the internal
    // leading), the internal leading once more and the external leading.
    static int textHeight(const TFont &font)
    {
        const TTextMetrics m = Fonts::metrics(font, 96);
        return m.ascent + m.descent + m.internalLeading + m.externalLeading;
    }
    static int textWidth(const TFont &font, const QString &caption)
    {
        return Fonts::textExtent(font, 96, caption + " ").width();
    }
    // Whether some pixel in `area` leans to red (or to blue).
    static bool hasTint(const QImage &image, const QRect &area, bool red)
    {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb p = image.pixel(x, y);
                if (red ? qRed(p) > qBlue(p) + 60 : qBlue(p) > qRed(p) + 60)
                    return true;
            }
        return false;
    }
    static void effects(TGBaseLabel &label, int shadow, int highlight)
    {
        label.SetDepthShadow(shadow);
        label.SetDepthHighlight(highlight);
        label.SetcolorShadow(clRed);
        label.SetcolorHighlight(clBlue);
    }

private slots:
    void initTestCase() { ScreenMetrics::setOverride(96); }

    void newLabelHasTheCreationValues()
    {
        TGPLabel label;
        QCOMPARE(label.Width(), 142);
        QCOMPARE(label.Height(), 33);
        QCOMPARE(label.Caption(), QString("Text"));
        QCOMPARE(label.Font().name, QString("Arial"));
        QCOMPARE(label.Font().size(96), 10);
        QCOMPARE(label.Font().color, clBlack);
        QVERIFY(label.Transparent());
        QCOMPARE(label.BackColor(), clWhite);
        QCOMPARE(label.BorderStyle(), bsNone);
        QCOMPARE(label.DirectionShadow(), sdDownRight);
        QCOMPARE(label.DirectionHighlight(), hdUpLeft);
        QCOMPARE(label.colorHighlight(), TColor(0xFFFF00));
        QCOMPARE(label.colorShadow(), TColor(0x808080));
        QCOMPARE(label.ShadowOffset(), QPoint(0, 0));
        QVERIFY(label.LayoutDirty());
    }

    void storedPropertiesFollowTheBaseInOrderWithTheirDefaults()
    {
        QStringList names;
        for (const TPropertyDecl &d : TGPLabel::properties())
            names << d.name;
        const int first = names.indexOf("Alignment");
        QCOMPARE(names.mid(first, 10),
                 QStringList({"Alignment", "DepthHighlight", "DepthShadow", "DirectionHighlight",
                              "DirectionShadow", "colorHighlight", "colorShadow", "Angle", "Caption",
                              "Font.Charset"}));
        QCOMPARE(names.mid(names.indexOf("Font.Style") + 1),
                 QStringList({"Transparent", "BackColor", "BorderStyle"}));
        TGPLabel label;
        for (const char *name : {"Alignment", "DepthHighlight", "DepthShadow", "DirectionHighlight",
                                 "DirectionShadow", "colorHighlight", "colorShadow", "Angle"})
            QVERIFY2(!findProperty(TGPLabel::properties(), name)->mustWrite(label), name);
        for (const char *name : {"Caption", "Transparent", "BackColor", "BorderStyle"})
            QVERIFY2(findProperty(TGPLabel::properties(), name)->mustWrite(label), name);
        QCOMPARE(findProperty(TGPLabel::properties(), "DirectionHighlight")->identifiers.at(1), QString("hdright"));
    }

    void shadowGoesDownRightAndHighlightUpLeftByDefault()
    {
        TGPLabel label;
        effects(label, 2, 3);
        QCOMPARE(label.ShadowOffset(), QPoint(2, 2));
        QCOMPARE(label.HighlightOffset(), QPoint(-3, -3));
        const QImage image = render(label);
        const int th = textHeight(label.Font());
        const int l = th + 5;
        QCOMPARE(label.TextMargin(), QPoint(3, 3));
        QCOMPARE(label.Height(), Numbers::truncate(1.2 * l));
        QCOMPARE(label.MainRect(), QRect(3, 3, 142 - 3, th));
        QCOMPARE(label.MainOrigin(), QPoint(3, 3));
        QCOMPARE(label.ShadowOrigin(), QPoint(5, 5));
        QCOMPARE(label.HighlightOrigin(), QPoint(0, 0));
        QCOMPARE(label.HighlightRect().topLeft(), QPoint(0, 0));

        // Each copy alone adds the plain text's ink moved by its offset;
        // room is kept at the left and top for the highlight only.
        TGPLabel plain, shadowOnly, highlightOnly;
        for (TGPLabel *other : {&plain, &shadowOnly, &highlightOnly})
            other->SetBounds(label.BoundsRect());
        effects(shadowOnly, 2, 0);
        effects(highlightOnly, 0, 3);
        const QRect text = anyInk(render(plain));
        const QRect main = text.translated(3, 3);
        QCOMPARE(anyInk(render(shadowOnly)), text.united(text.translated(2, 2)));
        QCOMPARE(anyInk(render(highlightOnly)), main.united(text));
        QCOMPARE(anyInk(image), text.united(main.translated(2, 2)));
        // The copies carry their own colours.
        QVERIFY(hasTint(image, QRect(main.right() + 1, 0, 4, image.height()), true));
        QVERIFY(hasTint(image, QRect(0, 0, main.left(), image.height()), false));
    }

    void highlightIsDrawnOverTheShadowAndTheTextOverBoth()
    {
        TGPLabel label;
        label.SetDirectionHighlight(hdright);
        label.SetDirectionShadow(sdRight);
        effects(label, 1, 1); // both copies on the same spot
        const QImage image = render(label);
        // Blue over red leaves every mixed pixel bluer than it is red.
        bool anyBlue = false;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                QVERIFY(qRed(p) <= qBlue(p));
                anyBlue = anyBlue || qBlue(p) > qRed(p);
            }
        QVERIFY(anyBlue);
    }

    void depthWithoutDirectionOrDirectionWithoutDepthDrawsNoCopy()
    {
        TGPLabel plain;
        const QImage expected = render(plain);
        TGPLabel noDirection;
        effects(noDirection, 3, 3);
        noDirection.SetDirectionShadow(sdNone);
        noDirection.SetDirectionHighlight(hdNone);
        QCOMPARE(render(noDirection), expected);
        TGPLabel noDepth;
        effects(noDepth, 0, 0);
        QCOMPARE(render(noDepth), expected);
    }

    void heightEndsBetweenTheLineHeightAndTwelveTenthsOfIt()
    {
        TGPLabel tall;
        tall.SetBounds(0, 0, 142, 200);
        tall.RecalcLayout();
        const int l = textHeight(tall.Font());
        QCOMPARE(l, 15 + 2 + 0); // 10 pt Arial at 96: cell 15, internal leading 2, external 0
        QCOMPARE(tall.Height(), Numbers::truncate(1.2 * l));
        TGPLabel shortOne;
        shortOne.SetBounds(0, 0, 142, 6);
        shortOne.RecalcLayout();
        QCOMPARE(shortOne.Height(), l);
        QCOMPARE(shortOne.Width(), 142);
    }

    void emptyCaptionStillMeasuresOneSpace()
    {
        TGPLabel label;
        label.SetCaption(QString());
        label.SetBounds(0, 0, 4, 33);
        label.RecalcLayout();
        QCOMPARE(label.Width(), textWidth(label.Font(), QString()));
        QVERIFY(label.Width() > 0);
    }

    void quarterTurnSwapsTheBoxBeforeTheClamps()
    {
        TGPLabel label;
        label.SetAngle(90);
        QCOMPARE(QSize(label.Width(), label.Height()), QSize(33, 142));
        QVERIFY(label.LayoutDirty());
        label.RecalcLayout();
        const int tw = textWidth(label.Font(), "Text");
        QCOMPARE(label.Height(), Numbers::truncate(1.2 * tw));
        QCOMPARE(label.Width(), Numbers::truncate(1.2 * textHeight(label.Font())));
        label.SetAngle(0);
        QCOMPARE(QSize(label.Width(), label.Height()),
                 QSize(Numbers::truncate(1.2 * tw), Numbers::truncate(1.2 * textHeight(label.Font()))));
    }

    void otherAnglesAreIgnored()
    {
        TGPLabel label;
        label.RecalcLayout();
        label.SetAngle(45);
        QCOMPARE(label.Angle(), 0);
        QVERIFY(!label.LayoutDirty());
        QCOMPARE(label.Width(), 142);
    }

    void turnedLabelIsLeftAlignedAndDoesNotFitToText()
    {
        TGPLabel label;
        label.SetAlignment(taCenter);
        label.SetCaption("A much longer caption than the box");
        label.SetAngle(180);
        QCOMPARE(label.Alignment(), taLeftJustify);
        const QSize before(label.Width(), label.Height());
        label.FitToText();
        QCOMPARE(QSize(label.Width(), label.Height()), before);
    }

    void halfTurnNarrowsAWideBoxToTwiceTheTextWidth()
    {
        TGPLabel label;
        label.SetCaption("Hi");
        label.SetBounds(0, 0, 300, 20);
        label.SetAngle(180);
        label.RecalcLayout();
        QCOMPARE(label.Width(), 2 * textWidth(label.Font(), "Hi"));
    }

    void turnedTextRunsUpTheBox()
    {
        TGPLabel label;
        label.SetCaption("Turned text");
        label.SetBounds(0, 0, 200, 30);
        label.SetAngle(90);
        const QImage image = render(label);
        const QRect ink = anyInk(image);
        QVERIFY(ink.height() > 2 * ink.width());
        // Counter-clockwise: the first letter sits at the bottom, so the
        // capital's tall stroke ends at the box's lower part.
        QVERIFY(label.MainOrigin().y() > label.Height() / 2);
        QVERIFY(image.rect().contains(ink));
    }

    void alignmentPlacesTheTextAtAngleZero()
    {
        TGPLabel label;
        label.SetCaption("Hi");
        const int tw = textWidth(label.Font(), "Hi");
        label.SetAlignment(taRightJustify);
        label.RecalcLayout();
        QCOMPARE(label.MainOrigin().x(), 142 - tw);
        label.SetAlignment(taCenter);
        label.RecalcLayout();
        QCOMPARE(label.MainOrigin().x(), 142 / 2 - tw / 2);
        const QRect ink = anyInk(render(label));
        QVERIFY(qAbs(ink.center().x() - 71) <= tw / 2);
    }

    void onlyLayoutChangesMeasureAgain()
    {
        TGPLabel label;
        label.RecalcLayout();
        label.SetcolorShadow(clLime);
        label.SetBackColor(clYellow);
        label.SetTransparent(false);
        label.SetBorderStyle(bsSingle);
        QVERIFY(!label.LayoutDirty());
        label.SetCaption("Other");
        QVERIFY(label.LayoutDirty()); // the width of the text moves right-aligned text
        label.RecalcLayout();
        label.SetDepthShadow(1);
        QVERIFY(label.LayoutDirty());
    }

    void backgroundAndBorderAreDrawnWhenAsked()
    {
        TGPLabel label;
        label.SetTransparent(false);
        label.SetBackColor(clYellow);
        label.SetBorderStyle(bsSingle);
        const QImage image = render(label);
        const QRgb yellow = Colors::toQColor(clYellow).rgb(), black = qRgb(0, 0, 0);
        QCOMPARE(image.pixel(label.Width() - 3, label.Height() - 3), yellow);
        QCOMPARE(image.pixel(0, 0), black);
        QCOMPARE(image.pixel(label.Width() - 1, label.Height() - 1), black);
        QCOMPARE(image.pixel(label.Width() / 2, 0), black);
    }

    void fitToTextGrowsButNeverShrinks()
    {
        TGPLabel label;
        label.SetCaption("A caption that is wider than the box it starts in");
        label.RecalcLayout();
        label.FitToText();
        const int wanted = Fonts::textExtent(label.Font(), 96, label.Caption() + "     ").width();
        QCOMPARE(label.Width(), wanted);
        label.SetCaption("A");
        label.FitToText();
        QCOMPARE(label.Width(), wanted);
    }

    void zoomScalesTheFontSizeTruncated()
    {
        TGPLabel label;
        label.SetZoomDirect(1.5f);
        QCOMPARE(label.ZoomedFont().size(96), 15);
        label.SetZoomDirect(1.39f); // truncated, not rounded
        QCOMPARE(label.ZoomedFont().size(96), 13);
        label.SetZoomDirect(1.0f);
        QCOMPARE(label.ZoomedFont(), label.Font());
    }

    void recordedPaintingPlaysBackAsDrawnDirectly()
    {
        TGPLabel label;
        effects(label, 2, 2);
        label.SetBorderStyle(bsSingle);
        const QImage direct = render(label);
        QPicture picture;
        {
            QPainter painter(&picture);
            label.PaintTo(painter);
        }
        QImage played(direct.size(), QImage::Format_RGB32);
        played.fill(Qt::white);
        {
            QPainter painter(&played);
            picture.play(&painter);
        }
        QCOMPARE(anyInk(played), anyInk(direct));
        QCOMPARE(inkOf(played, clRed), inkOf(direct, clRed));
    }
};

QTEST_MAIN(TestLabelLayout)
#include "tst_label_layout.moc"
