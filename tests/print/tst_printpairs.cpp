// Every object class printed after every other one: whatever one object's
// printing leaves set on the job (clip, transform, composition mode, pen,
// brush, font) must not change how the next object prints. Each object has
// its effects switched on, and the second object of each pair must print
// exactly as it does alone, in an image, in the recorded preview and in a
// PDF rendered back to pixels.
#include "app/CardClasses.h"
#include "design/ObjectPrinting.h"
#include "design/TGBusinessCardPanel32.h"
#include "effects/TGSuperText.h"
#include "effects/TSuperShape.h"
#include "objects/TBCShapes.h"
#include "objects/TGBusinessCardLabel.h"
#include "objects/TGImage.h"
#include "objects/TGLabelShapes.h"
#include "objects/TGLineShape.h"
#include "objects/TGMultiLineLabel.h"
#include "objects/TGPCircleText.h"
#include "objects/TGPRichBaseLabel.h"
#include "objects/TGQRCode.h"
#include "objects/TGSymbolLabel.h"
#include "platform/Metafile.h"
#include "platform/ScreenMetrics.h"
#include "print/CardImageExport.h"
#include "report/ImageTarget.h"
#include "report/PdfTarget.h"
#include "report/RecordedTarget.h"
#include "report/ReportPlayer.h"
#include "report/TReport.h"
#include "richtext/TRichTextEngine.h"
#include "support/MetafileSamples.h"
#include "support/PictureSamples.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A card of 2.5 x 1 inch; the first object of a pair on its left half, the
// second on its right half.
const QSize CardPixels(240, 96);
const QSizeF CardInches(2.5, 1.0);
const QRect FirstBox(6, 6, 108, 84);
const QRect SecondBox(126, 6, 108, 84);

TFont font(const char *name, int points, TColor color, TFontStyles style = fsBold)
{
    TFont f;
    f.name = QString::fromLatin1(name);
    f.setSize(points, ScreenMetrics::pixelsPerInch());
    f.style = style;
    f.color = color;
    return f;
}

QImage texture()
{
    QImage image(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            image.setPixel(x, y, (x / 4 + y / 4) % 2 ? qRgb(200, 40, 40) : qRgb(250, 220, 80));
    return image;
}

void labelEffects(TGBaseLabel &label, const char *caption, int angle)
{
    label.SetCaption(QString::fromLatin1(caption));
    label.SetFont(font("Arial", 14, clNavy));
    label.SetDepthShadow(3);
    label.SetDirectionShadow(sdDownRight);
    label.SetcolorShadow(clGray);
    label.SetDepthHighlight(2);
    label.SetDirectionHighlight(hdUpLeft);
    label.SetcolorHighlight(clYellow);
    label.SetTransparent(false);
    label.SetBackColor(clAqua);
    label.SetBorderStyle(bsSingle);
    label.SetAngle(angle);
}

using Make = std::function<TGGraphicControl *(TGBusinessCardPanel32 &)>;

struct Sample {
    const char *name;
    Make make;
};

// One object of every class, each with all the effects its class has.
QList<Sample> samples()
{
    return {
        {"TGLineShape",
         [](TGBusinessCardPanel32 &p) {
             auto *o = new TGLineShape(&p);
             o->SetLineStyle(stAngleSlopingUp);
             o->SetPen(TPen{clRed, 4, psSolid, pmCopy});
             return o;
         }},
        {"TGImage",
         [](TGBusinessCardPanel32 &p) {
             auto *o = new TGImage(&p);
             TPicture picture;
             picture.SetMetafile(TMetafile::FromData(MetafileSamples::wmfShapesSample()));
             o->SetPicture(picture);
             o->SetStretch(true);
             o->SetBorderStyle(bsSingle);
             return o;
         }},
        {"TGImage bitmap",
         [](TGBusinessCardPanel32 &p) {
             auto *o = new TGImage(&p);
             TPicture picture;
             picture.SetBitmap(PictureSamples::pattern(40, 30));
             o->SetPicture(picture);
             o->SetStretch(true);
             o->SetFlip(true);
             o->SetBorderStyle(bsSingle);
             return o;
         }},
        {"TGLabelShapes",
         [](TGBusinessCardPanel32 &p) {
             auto *o = new TGLabelShapes(&p);
             o->SetShape(stEllipse);
             o->SetBrush(TBrush{clGreen, bsDiagCross, {}});
             o->SetPen(TPen{clBlue, 3, psSolid, pmCopy});
             return o;
         }},
        {"TBCShapes",
         [](TGBusinessCardPanel32 &p) {
             auto *o = new TBCShapes(&p);
             o->SetShape(stRoundRect);
             o->SetRoundPerc(40);
             o->SetBrush(TBrush{clFuchsia, bsSolid, {}});
             o->SetPen(TPen{clBlack, 2, psDash, pmCopy});
             return o;
         }},
        {"TGPLabel",
         [](TGBusinessCardPanel32 &p) {
             auto *o = new TGPLabel(&p);
             labelEffects(*o, "Label", 90);
             return o;
         }},
        {"TGBusinessCardLabel",
         [](TGBusinessCardPanel32 &p) {
             auto *o = new TGBusinessCardLabel(&p);
             labelEffects(*o, "ACME", 0);
             return o;
         }},
        {"TGSymbolLabel",
         [](TGBusinessCardPanel32 &p) {
             auto *o = new TGSymbolLabel(&p);
             o->SetDepthShadow(3);
             o->SetDirectionShadow(sdDownLeft);
             o->SetDepthHighlight(2);
             o->SetDirectionHighlight(hdUp);
             o->SetBorderStyle(bsSingle);
             return o;
         }},
        {"TGMultiLineLabel",
         [](TGBusinessCardPanel32 &p) {
             auto *o = new TGMultiLineLabel(&p);
             o->SetFont(font("Times New Roman", 11, clMaroon, fsItalic));
             o->SetItems({"First line", "Second", "Third line"});
             o->SetAlignment(taCenter);
             return o;
         }},
        {"TSuperShape",
         [](TGBusinessCardPanel32 &p) {
             auto *o = new TSuperShape(&p);
             o->SetShape(gstStar);
             o->SetSurfaceType(TSuperShape::stBrushImage);
             o->SetImage(texture());
             o->SetShadowOrient(soLowerRight);
             o->SetShadowDepth(6);
             o->SetOutlineColor(clBlue);
             o->SetOutlineStyle(psDash);
             o->SetOutlineWidth(2);
             return o;
         }},
        {"TSuperShape gradient",
         [](TGBusinessCardPanel32 &p) {
             auto *o = new TSuperShape(&p);
             o->SetShape(gstEllipse);
             o->SetSurfaceType(TSuperShape::stGradientFill);
             o->SetFillDirection(gdDown);
             o->SetShadowOrient(soUpperLeft);
             o->SetShadowDepth(5);
             return o;
         }},
        {"TGPRichBaseLabel",
         [](TGBusinessCardPanel32 &p) {
             auto *o = new TGPRichBaseLabel(&p);
             o->SetRTFText(TRichText::fromRtf("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
                                              "{\\colortbl;\\red200\\green0\\blue0;}\\f0\\fs24\\b Rich \\b0"
                                              "\\cf1\\f1\\i text\\i0\\cf0\\par\\fs36 Big\\par}"));
             o->SetTransparent(false);
             o->SetBGColor(clSilver);
             o->SetBorderStyle(bsSingle);
             return o;
         }},
        {"TGSuperText",
         [](TGBusinessCardPanel32 &p) {
             auto *o = new TGSuperText(&p);
             o->SetCaption("Sup");
             o->SetFont(font("Arial", 28, clBlack));
             o->SetSurfaceType(TGSuperText::stGradientFill);
             o->SetShadowDepth(4);
             o->SetShadowOrientation(TGSuperText::sdDownRight);
             o->SetOutlineColor(clRed);
             o->SetOutlineWidth(2);
             o->SetBorderStyle(TGSuperText::bsSingle);
             o->SetControlTransparent(false);
             o->SetBGColor(clLime);
             return o;
         }},
        {"TGSuperText texture",
         [](TGBusinessCardPanel32 &p) {
             auto *o = new TGSuperText(&p);
             o->SetCaption("Tx");
             o->SetFont(font("Times New Roman", 36, clBlack));
             o->SetSurfaceType(TGSuperText::stBrushImage);
             o->SetImage(texture());
             o->SetShadowDepth(3);
             o->SetShadowOrientation(TGSuperText::sdLeft);
             o->SetOutlineStyle(psDot);
             return o;
         }},
        {"TGPCircleText",
         [](TGBusinessCardPanel32 &p) {
             auto *o = new TGPCircleText(&p);
             o->SetCaption("ACME * WIDGETS *");
             o->SetFont(font("Arial", 9, clBlue));
             o->SetMirror(true);
             o->SetBorderStyle(bsSingle);
             o->SetControlTransparent(false);
             o->SetBGColor(clYellow);
             return o;
         }},
        {"TGQRCode",
         [](TGBusinessCardPanel32 &p) {
             auto *o = new TGQRCode(&p);
             o->SetContentKind(qcText);
             o->SetContent("Karvello");
             o->SetModuleColor(clNavy);
             o->SetBackColor(clYellow);
             o->SetTransparent(false);
             return o;
         }},
    };
}

// A card holding every sample twice: once in the first box, once in the
// second, so that any pair prints from the same objects.
struct Card {
    QWidget host;
    TGBusinessCardPanel32 *panel = nullptr;
    QList<Sample> kinds = samples();
    QList<TGGraphicControl *> first, second;

    Card()
    {
        ScreenMetrics::setOverride(96);
        registerCardClasses();
        TRichTextEngine::CreateMaster(&host);
        panel = new TGBusinessCardPanel32(&host);
        panel->resize(CardPixels);
        for (const Sample &s : kinds) {
            first << place(s, FirstBox);
            second << place(s, SecondBox);
        }
    }

    TGGraphicControl *place(const Sample &s, QRect box)
    {
        TGGraphicControl *o = s.make(*panel);
        o->Loaded();
        panel->PlaceObject(o, box);
        o->SetBounds(box.x(), box.y(), box.width(), box.height());
        return o;
    }

    int count() const { return int(kinds.size()); }

    // Page order of a job: for each second object, first alone, then after
    // each first object; all second objects, or only `onlySecond`.
    void printPages(TReport &job, int onlySecond = -1) const
    {
        job.onPrint = [this, onlySecond](TReport &j) {
            bool firstPage = true;
            for (int b = 0; b < count(); ++b) {
                if (onlySecond >= 0 && b != onlySecond)
                    continue;
                for (int a = -1; a < count(); ++a) {
                    if (!firstPage)
                        j.newPage();
                    firstPage = false;
                    if (a >= 0)
                        PrintObject(j, *first[a], 0, 0);
                    PrintObject(j, *second[b], 0, 0);
                }
            }
        };
    }
    int pageOf(int a, int b) const { return b * (count() + 1) + a + 1; }
};

// The second box on a page rendered at `dpi`, with a pixel of room round it.
QRect secondArea(int dpi)
{
    const auto px = [dpi](int v) { return v * dpi / 96; };
    return QRect(QPoint(px(SecondBox.left()) - 1, px(SecondBox.top()) - 1),
                 QPoint(px(SecondBox.right() + 1) + 1, px(SecondBox.bottom() + 1) + 1));
}

// Names of the pairs whose second object differs from its print alone.
QStringList differingPairs(const Card &card, const std::function<QImage(int page)> &page, int dpi,
                           QRect area = QRect())
{
    QStringList bad;
    if (area.isNull())
        area = secondArea(dpi);
    for (int b = 0; b < card.count(); ++b) {
        const QImage alone = page(card.pageOf(-1, b)).copy(area);
        if (alone.isNull())
            return {QStringLiteral("no page")};
        for (int a = 0; a < card.count(); ++a) {
            if (page(card.pageOf(a, b)).copy(area) != alone)
                bad << QStringLiteral("%1 then %2").arg(card.kinds[a].name, card.kinds[b].name);
        }
    }
    return bad;
}

QPageSize cardPaper()
{
    return QPageSize(CardInches, QPageSize::Inch, QStringLiteral("Card"), QPageSize::ExactMatch);
}

} // namespace

class TestPrintPairs : public QObject
{
    Q_OBJECT
private slots:
    void secondObjectPrintsAsAloneInAnImage();
    void secondObjectPrintsAsAloneInThePreview();
    void secondObjectPrintsAsAloneInAPdf();
    void guardPutsBackWhatAnObjectLeavesSet();
    void shadowedEffectsLeaveRichTextAndPictureOnTheCard();
};

void TestPrintPairs::secondObjectPrintsAsAloneInAnImage()
{
    constexpr int Dpi = 300;
    Card card;
    // One job per second object keeps a few pages in memory at a time.
    QList<QImage> pages;
    for (int b = 0; b < card.count(); ++b) {
        auto target = std::make_unique<ImageTarget>(SimulatedDevice(Dpi, Dpi, cardPaper()));
        const ImageTarget &images = *target;
        TReport job(std::move(target));
        card.printPages(job, b);
        QVERIFY(job.run());
        QCOMPARE(images.pages().size(), card.count() + 1);
        const QRect area = secondArea(Dpi);
        for (const QImage &page : images.pages())
            pages << page.copy(area);
    }
    const QRect whole(QPoint(0, 0), secondArea(Dpi).size());
    const QStringList bad = differingPairs(card, [&](int p) { return pages.at(p); }, Dpi, whole);
    QVERIFY2(bad.isEmpty(), qPrintable(bad.join(", ")));
}

void TestPrintPairs::secondObjectPrintsAsAloneInThePreview()
{
    constexpr int Dpi = 100;
    Card card;
    auto target = std::make_unique<RecordedTarget>(SimulatedDevice(300, 300, cardPaper()));
    const RecordedTarget &recording = *target;
    TReport job(std::move(target));
    card.printPages(job);
    QVERIFY(job.run());
    const ReportPlayer player(recording.job());
    const QStringList bad = differingPairs(card, [&](int p) { return player.render(p, Dpi); }, Dpi);
    QVERIFY2(bad.isEmpty(), qPrintable(bad.join(", ")));
}

void TestPrintPairs::secondObjectPrintsAsAloneInAPdf()
{
    constexpr int Dpi = 100;
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        QSKIP("pdftoppm (poppler-utils) is not installed, so the PDF cannot be rendered");
    QTemporaryDir dir;
    Card card;
    const QString pdf = dir.filePath("pairs.pdf");
    auto target = std::make_unique<PdfTarget>(pdf, 600);
    target->setPaper(cardPaper());
    TReport job(std::move(target));
    card.printPages(job);
    QVERIFY(job.run());
    QProcess render;
    render.start(pdftoppm, {"-r", QString::number(Dpi), "-png", pdf, dir.filePath("page")});
    QVERIFY(render.waitForFinished(120000));
    QCOMPARE(render.exitCode(), 0);
    const int pages = card.pageOf(card.count() - 1, card.count() - 1) + 1;
    const int digits = int(QString::number(pages).size());
    const auto page = [&](int p) {
        return QImage(dir.filePath(QStringLiteral("page-%1.png").arg(p + 1, digits, 10, QLatin1Char('0'))))
            .convertToFormat(QImage::Format_RGB32);
    };
    const QStringList bad = differingPairs(card, page, Dpi);
    QVERIFY2(bad.isEmpty(), qPrintable(bad.join(", ")));
}

void TestPrintPairs::guardPutsBackWhatAnObjectLeavesSet()
{
    auto target = std::make_unique<ImageTarget>(SimulatedDevice(100, 100, cardPaper()));
    const ImageTarget &images = *target;
    TReport job(std::move(target));
    job.onPrint = [](TReport &j) {
        {
            const ReportCanvas::StateGuard guard(j);
            j.setPen(clRed, psDash, 5, pmXor);
            j.setBrush(clBlue, bsCross);
            j.setFont("Courier New", 30);
            j.setTextBackground(bmOpaque);
            j.pushClipRect(0, 0, 0.1, 0.1);
            j.selectClip();
            j.beginPath();
            j.moveTo(0.2, 0.2);
        }
        QCOMPARE(j.pen().color, clBlack);
        QCOMPARE(j.brush().style, bsSolid);
        QCOMPARE(j.fontName(), QStringLiteral("Arial"));
        QCOMPARE(j.textBackground(), bmTransparent);
        QCOMPARE(j.clipDepth(), 0);
        QVERIFY(!j.pathOpen());
        // The clip selected inside is gone from the page as well.
        j.setBrush(clBlack, bsSolid);
        j.fillRect(j.toDevice(1, 0.5, 1.2, 0.7));
    };
    QVERIFY(job.run());
    QCOMPARE(images.pages().first().pixelColor(110, 60), QColor(Qt::black));
}

// The card of the report: a shadowed SuperShape and a shadowed SuperText,
// then rich text and a picture, drawn as "render --dpi 300" draws them.
void TestPrintPairs::shadowedEffectsLeaveRichTextAndPictureOnTheCard()
{
    ScreenMetrics::setOverride(96);
    registerCardClasses();
    QWidget host;
    TRichTextEngine::CreateMaster(&host);
    auto *panel = new TGBusinessCardPanel32(&host);
    panel->resize(336, 192);
    const auto place = [&](TGGraphicControl *o, QRect r) {
        o->Loaded();
        panel->PlaceObject(o, r);
        o->SetBounds(r.x(), r.y(), r.width(), r.height());
    };
    auto *shape = new TSuperShape(panel);
    shape->SetShadowOrient(soLowerRight);
    shape->SetShadowDepth(6);
    place(shape, QRect(8, 8, 80, 80));
    auto *text = new TGSuperText(panel);
    text->SetShadowDepth(4);
    text->SetCaption("Text");
    place(text, QRect(100, 8, 200, 80));
    auto *rich = new TGPRichBaseLabel(panel);
    rich->SetRTFText(TRichText::fromRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs40 RICH\\par}"));
    rich->SetBorderStyle(bsNone);
    place(rich, QRect(8, 100, 150, 80));
    auto *picture = new TGImage(panel);
    TPicture art;
    art.SetMetafile(TMetafile::FromData(MetafileSamples::wmfShapesSample()));
    picture->SetPicture(art);
    picture->SetStretch(true);
    place(picture, QRect(200, 100, 100, 80));

    PrintShopExport::Card exported;
    exported.Panel = panel;
    exported.Size = QSizeF(3.5, 2.0);
    const QImage page = CardImageExport::Render(exported, 300, false);
    QVERIFY(!page.isNull());
    const auto inkIn = [&](QRect r) {
        int ink = 0;
        const QRect d(r.topLeft() * 300 / 96, r.size() * 300 / 96);
        for (int y = d.top(); y <= d.bottom(); ++y)
            for (int x = d.left(); x <= d.right(); ++x)
                ink += page.pixelColor(x, y) != QColor(Qt::white);
        return ink;
    };
    QVERIFY2(inkIn(QRect(8, 100, 150, 80)) > 2000, "the rich text is missing");
    QVERIFY2(inkIn(QRect(200, 100, 100, 80)) > 20000, "the picture is missing");
}

QTEST_MAIN(TestPrintPairs)
#include "tst_printpairs.moc"
