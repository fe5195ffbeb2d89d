// The special-effects text: layout, glyph layers, menus, documents and printing.
#include "app/CardClasses.h"
#include "design/CardDocument.h"
#include "design/TGBusinessCardPanel32.h"
#include "effects/TGSuperText.h"
#include "platform/Canvas.h"
#include "platform/Fonts.h"
#include "platform/ScreenMetrics.h"
#include "report/ImageTarget.h"
#include "report/PdfTarget.h"
#include "report/TReport.h"
#include "support/ScriptedDialogs.h"

#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The object drawn alone on white, at its own size.
QImage render(TGSuperText &t)
{
    QImage image(t.Width(), t.Height(), QImage::Format_RGB32);
    image.fill(Qt::white);
    TCanvas canvas(&image, 96);
    t.Paint(canvas);
    return image;
}

int count(const QImage &image, QRgb color, QRect area = QRect())
{
    if (area.isNull())
        area = image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF);
    return n;
}

// Columns that hold at least one pixel of `color`.
QList<int> columnsWith(const QImage &image, QRgb color)
{
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if ((image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF)) {
                columns << x;
                break;
            }
    return columns;
}

TFont font(const QString &name, int points, TColor color = clBlack)
{
    TFont f;
    f.name = name;
    f.setSize(points, 96);
    f.style = fsBold;
    f.color = color;
    return f;
}

// A SuperText with a plain look: letters in `fill`, no outline.
void plain(TGSuperText &t, TColor fill = clBlack)
{
    t.SetSurfaceType(TGSuperText::stNormal);
    t.SetFont(font("Arial", 24, fill));
    t.SetOutlineStyle(psClear);
}

} // namespace

class TestSuperText : public QObject
{
    Q_OBJECT

private slots:
    void init() { ScreenMetrics::setOverride(96); }

    void constructionValuesAndStoredDefaults()
    {
        TGSuperText t;
        QCOMPARE(t.Width(), 142);
        QCOMPARE(t.Height(), 33);
        QCOMPARE(t.Caption(), QString("Text"));
        QCOMPARE(t.Font().name, QString("Arial"));
        QCOMPARE(t.Font().size(96), 48);
        QCOMPARE(t.Font().style, TFontStyles(fsBold));
        QCOMPARE(t.SurfaceType(), TGSuperText::stGradientFill);
        QCOMPARE(t.FillDirection(), gdRight);
        QCOMPARE(t.ShadowOrientation(), TGSuperText::sdDownRight);
        QCOMPARE(t.ShadowOffset(), QPoint(0, 0));
        QVERIFY(t.ControlTransparent());
        QCOMPARE(t.GradientBitmap().size(), QSize(142, 33)); // built by the constructor
        QCOMPARE(t.GradientBitmap().pixelColor(0, 10), QColor(0, 0, 255));
        QCOMPARE(t.GradientBitmap().pixelColor(141, 10), QColor(255, 255, 0));

        // Stream order after the base class, and which are written only when changed.
        const TPropertyList &props = TGSuperText::properties();
        QStringList names;
        for (const TPropertyDecl &d : props)
            if (!d.group.isEmpty() ? d.name.startsWith("Font.") && d.name == "Font.Charset" : true)
                names << (d.group.isEmpty() ? d.name : d.group);
        const QStringList own = names.mid(names.indexOf("ShadowDepth"));
        QCOMPARE(own, (QStringList{"ShadowDepth", "ShadowOrientation", "Shadowcolor", "BorderStyle",
                                   "ControlTransparent", "BGColor", "Caption", "Font", "FillDirection",
                                   "GradientToColor", "GradientFromColor", "Image", "OutlineColor",
                                   "OutlineStyle", "OutlineWidth", "SurfaceType", "LastBitmapFileNameandPath"}));
        QVERIFY(!findProperty(props, "ShadowDepth")->mustWrite(t));
        QVERIFY(!findProperty(props, "ShadowOrientation")->mustWrite(t));
        QVERIFY(!findProperty(props, "Shadowcolor")->mustWrite(t));
        QVERIFY(findProperty(props, "BorderStyle")->mustWrite(t));
        QVERIFY(findProperty(props, "LastBitmapFileNameandPath")->mustWrite(t));
        t.SetShadowOrientation(TGSuperText::sdDown);
        QVERIFY(findProperty(props, "ShadowOrientation")->mustWrite(t));
    }

    void leftShadowMovesTheTextRight()
    {
        TGSuperText t;
        plain(t);
        t.SetShadowOrientation(TGSuperText::sdLeft);
        t.SetShadowDepth(6);
        QCOMPARE(t.ShadowOffset(), QPoint(-6, 0));
        t.RunLayout();
        QCOMPARE(t.TextMargin(), QPoint(6, 0));
        QCOMPARE(t.TextRect().left(), 11);
        QCOMPARE(t.ShadowRect().left(), 5);
        QCOMPARE(t.TextOrigin(), QPoint(11, 0));
        QCOMPARE(t.ShadowOrigin(), QPoint(5, 0));

        // The shadow is the glyph silhouette in its colour, left of the letters.
        t.SetShadowcolor(clRed);
        t.SetCaption("I");
        const QImage image = render(t);
        const QList<int> red = columnsWith(image, qRgb(255, 0, 0));
        const QList<int> black = columnsWith(image, qRgb(0, 0, 0));
        QVERIFY(!red.isEmpty() && !black.isEmpty());
        QCOMPARE(red.first() + 6, black.first());
    }

    void noShadowAtDepthZero()
    {
        TGSuperText t;
        plain(t);
        t.SetShadowcolor(clRed);
        t.SetShadowDepth(0);
        for (int o = TGSuperText::sdNone; o <= TGSuperText::sdDown; ++o) {
            t.SetShadowOrientation(TGSuperText::TShadowOrientation(o));
            QCOMPARE(count(render(t), qRgb(255, 0, 0)), 0);
        }
        t.SetShadowDepth(3);
        QVERIFY(count(render(t), qRgb(255, 0, 0)) > 0);
        t.SetShadowOrientation(TGSuperText::sdNone);
        QCOMPARE(count(render(t), qRgb(255, 0, 0)), 0);

        // Nor on paper.
        t.SetShadowOrientation(TGSuperText::sdDownRight);
        t.SetShadowDepth(0);
        TReport job(std::make_unique<ImageTarget>(SimulatedDevice(150, 150)));
        job.onPrint = [&](TReport &j) { t.PrintTo(j, 1, 1); };
        QVERIFY(job.run());
        const QImage page = job.targetAs<ImageTarget>()->pages().first();
        QCOMPARE(count(page, qRgb(255, 0, 0)), 0);
        QVERIFY(count(page, qRgb(0, 0, 0)) > 0);
    }

    void wideCaptionIsCutNotWrapped()
    {
        TGSuperText t;
        plain(t);
        t.SetControlTransparent(false); // keeps its height
        t.SetBounds(0, 0, 80, 80);
        t.SetCaption("MMMMMMMMMM");
        t.RunLayout();
        const TFont f = t.ZoomedFont();
        const int room = 80 - t.TextRect().left();
        const QString shown = t.FittedCaption(f, room);
        QVERIFY(shown.size() > 0 && shown.size() < 10);
        QVERIFY(Fonts::textExtent(f, 96, shown).width() <= room);
        QVERIFY(Fonts::textExtent(f, 96, shown + "M").width() > room);
        // One line only: nothing below the first line.
        const QImage image = render(t);
        const int lineHeight = Fonts::textExtent(f, 96, "M").height();
        QCOMPARE(count(image, qRgb(0, 0, 0), QRect(0, lineHeight + 1, 80, 80 - lineHeight - 1)), 0);
        QVERIFY(count(image, qRgb(0, 0, 0)) > 0);
    }

    void transparentFramelessTextShrinksToItsLine()
    {
        TGSuperText t;
        plain(t);
        t.SetFont(font("Arial", 16));
        const int th = Fonts::textExtent(t.Font(), 96, t.Caption()).height();
        QVERIFY(th < 30);
        // A downward shadow makes the line 30 pixels high.
        t.SetShadowOrientation(TGSuperText::sdDown);
        t.SetShadowDepth(30 - th);
        t.SetBounds(0, 0, 200, 100);
        t.RunLayout();
        QCOMPARE(t.Height(), 36);

        for (int withBorder = 0; withBorder < 2; ++withBorder) {
            TGSuperText k;
            plain(k);
            k.SetFont(font("Arial", 16));
            k.SetShadowOrientation(TGSuperText::sdDown);
            k.SetShadowDepth(30 - th);
            if (withBorder)
                k.SetBorderStyle(TGSuperText::bsSingle);
            else
                k.SetControlTransparent(false);
            k.SetBounds(0, 0, 200, 100);
            k.RunLayout();
            QCOMPARE(k.Height(), 100);
        }

        // Too small a box grows to the line.
        t.SetBounds(0, 0, 200, 10);
        t.RunLayout();
        QCOMPARE(t.Height(), 30);
        // A box of 5 pixels or less takes the text's width.
        t.SetBounds(0, 0, 4, 40);
        t.RunLayout();
        QCOMPARE(t.Width(), Fonts::textExtent(t.Font(), 96, "Text ").width());
    }

    void transparentLettersKeepAnOutline()
    {
        TGSuperText t;
        t.SetOutlineStyle(psClear);
        t.SetSurfaceType(TGSuperText::stBrushTransparent);
        QCOMPARE(t.OutlineStyle(), psSolid);
        // Any other surface drops the texture.
        t.SetSurfaceType(TGSuperText::stBrushImage);
        QImage texture(4, 4, QImage::Format_RGB32);
        texture.fill(Qt::red);
        t.SetImage(texture);
        t.SetSurfaceType(TGSuperText::stNormal);
        QVERIFY(t.Image().isNull());
    }

    void emptyCaptionShowsACrossedBox()
    {
        TGSuperText t;
        plain(t);
        t.SetBounds(0, 0, 60, 40);
        t.SetCaption("");
        const QImage image = render(t);
        QCOMPARE(image.pixelColor(0, 20), QColor(Qt::black));
        QCOMPARE(image.pixelColor(59, 20), QColor(Qt::black));
        QCOMPARE(image.pixelColor(30, 0), QColor(Qt::black));
        QCOMPARE(image.pixelColor(30, 39), QColor(Qt::black));
        QCOMPARE(image.pixelColor(15, 10), QColor(Qt::black)); // on the diagonal
        QCOMPARE(image.pixelColor(45, 10), QColor(Qt::black));
        QCOMPARE(image.pixelColor(30, 10), QColor(Qt::white));

        // Also when not one character fits.
        t.SetCaption("W");
        t.SetBounds(0, 0, 12, 40);
        const QImage narrow = render(t);
        QCOMPARE(narrow.pixelColor(0, 20), QColor(Qt::black));
        QCOMPARE(narrow.pixelColor(11, 20), QColor(Qt::black));
    }

    void facesFillTheLettersOnly()
    {
        TGSuperText t;
        t.SetFont(font("Arial", 36));
        t.SetCaption("H");
        t.SetOutlineStyle(psClear);
        t.SetControlTransparent(false);
        t.SetBGColor(clWhite);
        t.SetBounds(0, 0, 60, 70);
        // Gradient: blue at the left edge of the letters, yellow towards the right.
        t.SetGradientFromColor(clBlue);
        t.SetGradientToColor(clRed);
        t.SetSurfaceType(TGSuperText::stGradientFill);
        QImage image = render(t);
        QCOMPARE(t.GradientBitmap().size(), QSize(60, 70));
        const QList<int> colored = columnsWith(image, image.pixel(t.TextRect().left() + 3, 25));
        QVERIFY(count(image, qRgb(255, 255, 255)) > 60 * 70 / 3); // the rest stays background
        int blueish = 0, reddish = 0;
        for (int y = 0; y < 70; ++y)
            for (int x = 0; x < 60; ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c == Qt::white)
                    continue;
                (x < 30 ? blueish : reddish) += (x < 30 ? c.blue() > c.red() : c.red() > c.blue());
            }
        QVERIFY(blueish > 0 && reddish > 0);
        Q_UNUSED(colored);
        // With a shadow under them the letters still take the gradient alone.
        const int background = count(image, qRgb(255, 255, 255));
        t.SetShadowcolor(clLime);
        t.SetShadowDepth(3);
        image = render(t);
        QVERIFY(count(image, qRgb(0, 255, 0)) > 20);
        QVERIFY(count(image, qRgb(255, 255, 255)) > background - 400);
        t.SetShadowDepth(0);

        // Texture: the tiles show through the letters.
        QImage texture(2, 2, QImage::Format_RGB32);
        texture.fill(qRgb(0, 128, 0));
        t.SetSurfaceType(TGSuperText::stBrushImage);
        t.SetImage(texture);
        image = render(t);
        QVERIFY(count(image, qRgb(0, 128, 0)) > 50);
        // An empty texture fills nothing.
        t.SetImage(QImage());
        image = render(t);
        QCOMPARE(count(image, qRgb(255, 255, 255)), 60 * 70);

        // Transparent letters: only the outline.
        t.SetSurfaceType(TGSuperText::stBrushTransparent);
        t.SetOutlineColor(clRed);
        t.SetOutlineWidth(1);
        image = render(t);
        QVERIFY(count(image, qRgb(255, 0, 0)) > 20);
        QCOMPARE(count(image, qRgb(255, 255, 255)) + count(image, qRgb(255, 0, 0)), 60 * 70);
        // Width 0 draws no outline.
        t.SetOutlineWidth(0);
        QCOMPARE(count(render(t), qRgb(255, 255, 255)), 60 * 70);
    }

    void zoomScalesFontShadowAndTiles()
    {
        TGSuperText t;
        plain(t);
        t.SetShadowDepth(3);
        t.SetShadowOrientation(TGSuperText::sdDownRight);
        t.SetBounds(0, 0, 200, 80);
        t.RunLayout();
        QCOMPARE(t.ShadowRect().topLeft() - t.TextRect().topLeft(), QPoint(3, 3));
        t.SetZoomDirect(2.0f);
        t.SetLayoutDirty();
        t.RunLayout();
        QCOMPARE(t.ZoomedFont().size(96), 48);
        QCOMPARE(t.ShadowRect().topLeft() - t.TextRect().topLeft(), QPoint(6, 6));

        // Texture tiles are twice their size: a 1-pixel checker becomes 2 x 2 blocks.
        QImage checker(2, 2, QImage::Format_RGB32);
        checker.setPixel(0, 0, qRgb(255, 0, 0));
        checker.setPixel(1, 1, qRgb(255, 0, 0));
        checker.setPixel(1, 0, qRgb(0, 0, 255));
        checker.setPixel(0, 1, qRgb(0, 0, 255));
        t.SetShadowDepth(0);
        t.SetFont(font("Arial", 40));
        t.SetCaption("I");
        t.SetSurfaceType(TGSuperText::stBrushImage);
        t.SetImage(checker);
        t.SetBounds(0, 0, 200, 200);
        const QImage image = render(t);
        // Every 2 x 2 block at even coordinates inside the letter has one colour,
        // and neighbouring blocks alternate.
        const auto filled = [&](int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF; };
        int blocks = 0;
        for (int y = 0; y + 1 < image.height(); y += 2)
            for (int x = 0; x + 3 < image.width(); x += 2) {
                if (!filled(x, y) || !filled(x + 1, y) || !filled(x, y + 1) || !filled(x + 1, y + 1)
                    || !filled(x + 2, y))
                    continue;
                ++blocks;
                QCOMPARE(image.pixel(x, y), image.pixel(x + 1, y + 1));
                QCOMPARE(image.pixel(x, y), image.pixel(x + 1, y));
                QVERIFY(image.pixel(x, y) != image.pixel(x + 2, y));
            }
        QVERIFY(blocks > 20);

        // Printing uses the unzoomed size.
        int printedPoints = 0;
        TReport job(std::make_unique<ImageTarget>(SimulatedDevice(150, 150)));
        job.onPrint = [&](TReport &j) {
            t.PrintTo(j, 1, 1);
            printedPoints = j.fontSize();
        };
        QVERIFY(job.run());
        QCOMPARE(printedPoints, 40);
    }

    void missingFontStillHasGlyphs()
    {
        TGSuperText t;
        TFont f = font("No Such Font Anywhere", 30);
        t.SetFont(f);
        QVERIFY(!t.GlyphPath(f, QPoint(5, 0), "Abc").isEmpty());
        plain(t);
        t.SetFont(font("No Such Font Anywhere", 30));
        QVERIFY(count(render(t), qRgb(0, 0, 0)) > 20);
    }

    void menuTogglesBorderAndTransparency()
    {
        TGBusinessCardPanel32 panel;
        auto *t = new TGSuperText(&panel);
        t->Loaded();
        panel.PlaceObject(t, QRect(10, 10, 150, 40));
        QStringList captions;
        for (QAction *a : t->ObjectMenu()->actions())
            captions << a->text();
        const QStringList tail = captions.mid(captions.size() - 6);
        QCOMPARE(tail, (QStringList{"", "Font", "Transparent", "Background Color", "Border", "Properties"}));
        QAction *border = t->ObjectMenu()->actions().at(captions.size() - 2);
        QAction *transparent = t->ObjectMenu()->actions().at(captions.size() - 4);
        emit t->ObjectMenu()->aboutToShow();
        QVERIFY(!border->isChecked());
        QVERIFY(transparent->isChecked());
        border->trigger();
        QCOMPARE(t->BorderStyle(), TGSuperText::bsSingle);
        emit t->ObjectMenu()->aboutToShow();
        QVERIFY(border->isChecked());

        ScopedScriptedDialogs dialogs;
        dialogs->colors.enqueue(clYellow);
        t->ObjectMenu()->actions().at(captions.size() - 3)->trigger();
        QCOMPARE(t->BGColor(), clYellow);
        QVERIFY(!t->ControlTransparent());

        dialogs->fonts.enqueue(font("Times New Roman", 20));
        t->ObjectMenu()->actions().at(captions.size() - 5)->trigger();
        QCOMPARE(dialogs->fontTrueTypeOnly, QList<bool>{true});
        QCOMPARE(t->Font().name, QString("Times New Roman"));
        QVERIFY(t->LayoutDirty());
    }

    void copyTextFromTakesLookAndSize()
    {
        TGSuperText a, b;
        a.SetCaption("Copied");
        a.SetFont(font("Times New Roman", 30, clNavy));
        a.SetControlTransparent(false);
        a.SetBGColor(clAqua);
        a.SetBorderStyle(TGSuperText::bsSingle);
        a.SetGradientFromColor(clRed);
        a.SetFillDirection(gdUp);
        a.SetGradientToColor(clLime);
        a.SetOutlineColor(clPurple);
        a.SetOutlineStyle(psDot);
        a.SetOutlineWidth(3);
        a.SetShadowcolor(clTeal);
        a.SetShadowDepth(4);
        a.SetShadowOrientation(TGSuperText::sdDown);
        a.SetBounds(0, 0, 210, 77);
        b.CopyTextFrom(a);
        QCOMPARE(b.Caption(), a.Caption());
        QCOMPARE(b.Font(), a.Font());
        QCOMPARE(b.BGColor(), clAqua);
        QCOMPARE(b.BorderStyle(), TGSuperText::bsSingle);
        QVERIFY(!b.ControlTransparent());
        QCOMPARE(b.GradientFromColor(), clRed);
        QCOMPARE(b.FillDirection(), gdUp);
        QCOMPARE(b.GradientToColor(), clLime);
        QCOMPARE(b.OutlineColor(), clPurple);
        QCOMPARE(b.OutlineStyle(), psDot);
        QCOMPARE(b.OutlineWidth(), 3);
        QCOMPARE(b.Shadowcolor(), clTeal);
        QCOMPARE(b.ShadowDepth(), 4);
        QCOMPARE(b.ShadowOrientation(), TGSuperText::sdDown);
        QCOMPARE(b.Width(), 210);
        QCOMPARE(b.Height(), 77);
        QCOMPARE(b.GradientBitmap().size(), QSize(210, 77));
    }

    void fitToTextSizesRoundTheCaption()
    {
        TGSuperText t;
        t.SetBounds(7, 9, 20, 20);
        t.SetCaption("Fitted");
        QVERIFY(t.FitToText());
        const QSize extent = Fonts::textExtent(t.Font(), 96, "Fitted");
        QCOMPARE(t.Left(), 7);
        QCOMPARE(t.Width(), int(5 + extent.width() * 1.2));
        QVERIFY(t.Height() >= extent.height());
    }

    void documentKeepsTextureAndLook()
    {
        registerCardClasses();
        QTemporaryDir dir;
        const QString file = dir.filePath("super.kvl");
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        auto *t = new TGSuperText(&panel);
        t->Loaded();
        panel.PlaceObject(t, QRect(12, 20, 200, 60));
        t->SetCaption("Stored");
        t->SetShadowDepth(2);
        t->SetSurfaceType(TGSuperText::stBrushImage);
        QImage texture(3, 5, QImage::Format_RGB32);
        texture.fill(qRgb(10, 200, 30));
        texture.setPixel(1, 2, qRgb(200, 10, 30));
        t->SetImage(texture);
        t->SetLastBitmapFileNameandPath("/textures/grass.bmp");
        QString error;
        QVERIFY2(CardDocument::SaveToFile(panel, file, &error), qPrintable(error));
        TGBusinessCardPanel32 reopened;
        reopened.resize(336, 192);
        QVERIFY2(CardDocument::LoadFromFile(reopened, file, &error), qPrintable(error));
        auto *copy = qobject_cast<TGSuperText *>(reopened.Objects().value(0));
        QVERIFY(copy);
        QCOMPARE(copy->Caption(), QString("Stored"));
        QCOMPARE(copy->ShadowDepth(), 2);
        QCOMPARE(copy->SurfaceType(), TGSuperText::stBrushImage);
        QCOMPARE(copy->Image().size(), QSize(3, 5));
        QCOMPARE(copy->Image().pixel(1, 2) & 0xFFFFFF, qRgb(200, 10, 30) & 0xFFFFFF);
        QCOMPARE(copy->LastBitmapFileNameandPath(), QString("/textures/grass.bmp"));
        QCOMPARE(copy->BoundsRect(), t->BoundsRect());
        QCOMPARE(render(*copy), render(*t));
    }

    void printedGlyphsStayVectors()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath("text.pdf");
        TGSuperText t;
        t.SetCaption("Vector");
        t.SetShadowDepth(3);
        t.SetOutlineWidth(2);
        t.SetBounds(10, 10, 260, 80);
        for (int surface : {TGSuperText::stNormal, TGSuperText::stGradientFill}) {
            t.SetSurfaceType(TGSuperText::TSurfaceType(surface));
            TReport job(std::make_unique<PdfTarget>(pdf, 600));
            job.onPrint = [&](TReport &j) { t.PrintTo(j, 1, 1); };
            QVERIFY(job.run());
            QFile file(pdf);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            QVERIFY(bytes.size() > 500);
            QVERIFY2(!bytes.contains("/Subtype /Image") && !bytes.contains("/Subtype/Image"),
                     "the text was printed as a picture");
            QVERIFY(bytes.contains("/FontFile") || bytes.contains("/Font")); // the shadow is text
        }
        // A texture is a picture, and the check above sees pictures.
        QImage texture(4, 4, QImage::Format_RGB32);
        texture.fill(qRgb(0, 128, 0));
        t.SetSurfaceType(TGSuperText::stBrushImage);
        t.SetImage(texture);
        TReport job(std::make_unique<PdfTarget>(pdf, 600));
        job.onPrint = [&](TReport &j) { t.PrintTo(j, 1, 1); };
        QVERIFY(job.run());
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.contains("/Subtype /Image") || bytes.contains("/Subtype/Image"));
    }

    void printedTexturesStayInTheLetters()
    {
        // Two textured texts on one page: the second clip must hold as well as the first.
        QImage texture(4, 4, QImage::Format_RGB32);
        texture.fill(qRgb(0, 128, 0));
        TGSuperText a, b;
        for (TGSuperText *t : {&a, &b}) {
            t->SetFont(font("Arial", 30));
            t->SetCaption("IHI");
            t->SetOutlineStyle(psClear);
            t->SetSurfaceType(TGSuperText::stBrushImage);
            t->SetImage(texture);
        }
        a.SetBounds(0, 0, 120, 50);
        b.SetBounds(0, 100, 120, 50);
        TReport job(std::make_unique<ImageTarget>(SimulatedDevice(96, 96)));
        job.onPrint = [&](TReport &j) {
            a.PrintTo(j, 1, 1);
            b.PrintTo(j, 1, 1);
        };
        QVERIFY(job.run());
        const QImage page = job.targetAs<ImageTarget>()->pages().first();
        const QRgb green = qRgb(0, 128, 0);
        const int inA = count(page, green, QRect(93, 93, 130, 60));
        const int inB = count(page, green, QRect(93, 193, 130, 60));
        QVERIFY(inA > 100);
        QVERIFY(inB > 100);
        QCOMPARE(count(page, green), inA + inB);
        QVERIFY(inB < 120 * 50 / 2); // letters, not the whole box
        QVERIFY(inA < 120 * 50 / 2);
    }

    void printedFaceFillsTheLetters()
    {
        TGSuperText t;
        t.SetFont(font("Arial", 36));
        t.SetCaption("HH");
        t.SetGradientFromColor(clBlue);
        t.SetGradientToColor(clBlue);
        t.SetOutlineStyle(psClear);
        t.SetBounds(0, 0, 150, 60);
        TReport job(std::make_unique<ImageTarget>(SimulatedDevice(150, 150)));
        job.onPrint = [&](TReport &j) { t.PrintTo(j, 1, 1); };
        QVERIFY(job.run());
        const QImage page = job.targetAs<ImageTarget>()->pages().first();
        // The object covers (150, 150)..(384, 244) at 150 dpi; the letters are blue inside it only.
        const int blue = count(page, qRgb(0, 0, 255), QRect(150, 150, 235, 95));
        QVERIFY(blue > 500);
        QCOMPARE(count(page, qRgb(0, 0, 255)), blue);
    }
};

QTEST_MAIN(TestSuperText)
#include "tst_supertext.moc"
