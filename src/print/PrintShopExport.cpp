#include "print/PrintShopExport.h"

#include "design/ObjectPrinting.h"
#include "design/TGBusinessCardPanel32.h"
#include "effects/TGSuperText.h"
#include "effects/TSuperShape.h"
#include "objects/TGBaseLabel.h"
#include "objects/TGImage.h"
#include "objects/TGLabelShapes.h"
#include "objects/TGMultiLineBaseLabel.h"
#include "objects/TGPRichBaseLabel.h"
#include "platform/AppRoutines.h"
#include "platform/Canvas.h"
#include "platform/IniFile.h"
#include "platform/Numbers.h"
#include "platform/ScreenMetrics.h"
#include "print/PrintScopes.h"
#include "print/TCardSheetPrinter.h"
#include "report/PdfPageBoxes.h"
#include "report/PdfTarget.h"
#include "report/TReport.h"

#include <QDir>
#include <QHash>
#include <QImage>
#include <QPageSize>
#include <QTemporaryDir>

#include <cmath>

namespace PrintShopExport {

namespace {

// 16 device pixels per point: the bleed, the marks and their 0.25-point
// width all fall on whole device pixels.
constexpr int Resolution = 1152;
constexpr double PointsPerInch = 72;

const QString Section = QStringLiteral("Print Shop");

// Gives an object other bounds for as long as it prints; loading, so that
// no position check or change report runs.
class BoundsOverride
{
public:
    BoundsOverride(TGGraphicControl &object, const QRect &bounds)
        : m_object(object), m_original(object.BoundsRect()), m_wasLoading(object.IsLoading())
    {
        m_object.SetLoading(true);
        m_object.SetBounds(bounds);
    }
    ~BoundsOverride()
    {
        m_object.SetBounds(m_original);
        m_object.SetLoading(m_wasLoading);
    }
    BoundsOverride(const BoundsOverride &) = delete;
    BoundsOverride &operator=(const BoundsOverride &) = delete;

private:
    TGGraphicControl &m_object;
    QRect m_original;
    bool m_wasLoading;
};

bool IsText(const TGGraphicControl &object)
{
    return dynamic_cast<const TGBaseLabel *>(&object) || dynamic_cast<const TGMultiLineBaseLabel *>(&object)
           || dynamic_cast<const TGPRichBaseLabel *>(&object) || dynamic_cast<const TGSuperText *>(&object)
           || object.ClassName() == QLatin1String("TGPCircleText");
}

// The colour most of the picture shows: an opaque label's background, or
// nothing at all for a transparent one.
QRgb GroundColor(const QImage &image)
{
    QHash<QRgb, qsizetype> counts;
    QRgb ground = 0;
    qsizetype most = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const qsizetype n = ++counts[line[x]];
            if (n > most) {
                most = n;
                ground = line[x];
            }
        }
    }
    return ground;
}

// The part of the object's box its letters cover (panel pixels): what is
// drawn and differs from the ground. A text object's box often spans the card
// while its text sits in the middle, and an opaque background is no text.
QRect InkBounds(TGGraphicControl &object, const TFont &panelFont)
{
    const QRect box = object.BoundsRect();
    if (box.isEmpty())
        return box;
    QImage image(box.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        TCanvas canvas(&image);
        canvas.setPen(TPen());
        canvas.setBrush(TBrush());
        canvas.setFont(panelFont);
        canvas.intersectClipRect(0, 0, box.width(), box.height());
        object.Paint(canvas);
    }
    const QRgb ground = GroundColor(image);
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        int first = -1, last = -1;
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) != 0 && line[x] != ground) {
                if (first < 0)
                    first = x;
                last = x;
            }
        }
        if (first >= 0)
            ink |= QRect(first, y, last - first + 1, 1);
    }
    return ink.translated(box.topLeft());
}

QSize CardPixels(const QSizeF &cardInches)
{
    const int ppi = ScreenMetrics::pixelsPerInch();
    return QSize(Numbers::roundHalfEven(cardInches.width() * ppi), Numbers::roundHalfEven(cardInches.height() * ppi));
}

void PrintObjects(TReport &job, TGBusinessCardPanel32 &panel, const QSizeF &cardInches, const QRectF &trim,
                  double bleed)
{
    const QSize cardPixels = CardPixels(cardInches);
    const int bleedPixels = int(std::ceil(bleed * ScreenMetrics::pixelsPerInch() - 1e-9));
    for (TGGraphicControl *object : panel.Objects()) {
        const QRect bounds = BleedBounds(*object, cardPixels, bleedPixels);
        if (bounds == object->BoundsRect()) {
            PrintObject(job, *object, trim.left(), trim.top());
        } else {
            BoundsOverride extended(*object, bounds);
            PrintObject(job, *object, trim.left(), trim.top());
        }
    }
}

// Whatever ran on past the bleed is painted over, so that the margin holds
// the crop marks alone.
void ClearOutsideBleed(TReport &job, const PageGeometry &page)
{
    const QRectF b = page.Bleed;
    const double w = page.Page.width(), h = page.Page.height();
    job.setBrush(clWhite, bsSolid);
    job.fillRect(job.toDevice(0, 0, w, b.top()));
    job.fillRect(job.toDevice(0, b.bottom(), w, h));
    job.fillRect(job.toDevice(0, b.top(), b.left(), b.bottom()));
    job.fillRect(job.toDevice(b.right(), b.top(), w, b.bottom()));
}

void PrintCropMarks(TReport &job, const PageGeometry &page)
{
    job.setPen(clBlack, psSolid, Numbers::roundHalfEven(CropMarkPoints / PointsPerInch * job.resolutionX()), pmCopy);
    for (const QLineF &line : CropMarkLines(page)) {
        job.moveTo(line.x1(), line.y1());
        job.lineTo(line.x2(), line.y2());
    }
}

// Boxes in points from the page's top-left corner.
QRectF Points(const QRectF &inches)
{
    return QRectF(inches.topLeft() * PointsPerInch, inches.size() * PointsPerInch);
}

} // namespace

double UsableBleed(double bleed)
{
    const double halfPoints = 2 * PointsPerInch;
    return std::clamp(std::round(bleed * halfPoints) / halfPoints, 0.0, MaxBleed);
}

PageGeometry Page(const QSizeF &cardInches, const Options &options)
{
    const double bleed = UsableBleed(options.Bleed);
    const double margin = options.CropMarks ? CropMarkMargin : 0.0;
    PageGeometry g;
    g.Page = cardInches + QSizeF(2 * (bleed + margin), 2 * (bleed + margin));
    g.Bleed = QRectF(margin, margin, cardInches.width() + 2 * bleed, cardInches.height() + 2 * bleed);
    g.Trim = QRectF(margin + bleed, margin + bleed, cardInches.width(), cardInches.height());
    return g;
}

QList<QLineF> CropMarkLines(const PageGeometry &page)
{
    const QRectF t = page.Trim, b = page.Bleed;
    const double inner = CropMarkGap, outer = CropMarkGap + CropMarkLength;
    QList<QLineF> lines;
    for (double x : {t.left(), t.right()}) {
        lines.append(QLineF(x, b.top() - outer, x, b.top() - inner));
        lines.append(QLineF(x, b.bottom() + inner, x, b.bottom() + outer));
    }
    for (double y : {t.top(), t.bottom()}) {
        lines.append(QLineF(b.left() - outer, y, b.left() - inner, y));
        lines.append(QLineF(b.right() + inner, y, b.right() + outer, y));
    }
    return lines;
}

bool RunsIntoBleed(const TGGraphicControl &object)
{
    if (const auto *shape = dynamic_cast<const TGLabelShapes *>(&object))
        return shape->Brush().style != bsClear || shape->Brush().hasPattern();
    if (const auto *super = dynamic_cast<const TSuperShape *>(&object))
        return super->SurfaceType() != TSuperShape::stBrushTransparent;
    return dynamic_cast<const TGImage *>(&object) != nullptr;
}

QRect BleedBounds(const TGGraphicControl &object, const QSize &cardPixels, int bleedPixels)
{
    const QRect bounds = object.BoundsRect();
    if (bleedPixels <= 0 || !RunsIntoBleed(object))
        return bounds;
    int left = bounds.left(), top = bounds.top();
    int right = bounds.left() + bounds.width(), bottom = bounds.top() + bounds.height(); // exclusive
    if (left <= 0)
        left = std::min(left, -bleedPixels);
    if (top <= 0)
        top = std::min(top, -bleedPixels);
    if (right >= cardPixels.width())
        right = std::max(right, cardPixels.width() + bleedPixels);
    if (bottom >= cardPixels.height())
        bottom = std::max(bottom, cardPixels.height() + bleedPixels);
    return QRect(left, top, right - left, bottom - top);
}

bool TextOutsideSafeArea(const TGBusinessCardPanel32 &panel, const QSizeF &cardInches)
{
    const double pixelsPerInch = ScreenMetrics::pixelsPerInch() * panel.Zoom();
    const QRectF safe = QRectF(QPointF(0, 0), cardInches).adjusted(SafeMargin, SafeMargin, -SafeMargin, -SafeMargin);
    constexpr double Tolerance = 1e-6;
    for (TGGraphicControl *object : panel.Objects()) {
        if (!object->Visible() || !IsText(*object))
            continue;
        const QRect r = InkBounds(*object, panel.Font());
        if (r.isEmpty())
            continue;
        const QRectF inches(r.left() / pixelsPerInch, r.top() / pixelsPerInch, r.width() / pixelsPerInch,
                            r.height() / pixelsPerInch);
        if (inches.left() < safe.left() - Tolerance || inches.top() < safe.top() - Tolerance
            || inches.right() > safe.right() + Tolerance || inches.bottom() > safe.bottom() + Tolerance)
            return true;
    }
    return false;
}

QString SafeAreaWarning()
{
    return QStringLiteral("Some text lies within 1/8 inch of the card's edge and may be cut off. Export anyway?");
}

void PrintBackground(TReport &job, const Card &card, const QRectF &area)
{
    TCardSheetPrinter background;
    background.Panel = card.Panel;
    background.BackgroundFile = card.BackgroundFile;
    background.LoadBackGround();
    background.PrintBackGroundOver(job, area);
}

void PrintPage(TReport &job, const Card &card, const Options &options)
{
    const PageGeometry page = Page(card.Size, options);
    job.setMarginLeft(0);
    job.setMarginTop(0);
    PrintBackground(job, card, page.Bleed);
    if (card.Panel) {
        PrintingScope printing(card.Panel);
        PrintObjects(job, *card.Panel, card.Size, page.Trim, UsableBleed(options.Bleed));
    }
    if (options.CropMarks) {
        ClearOutsideBleed(job, page);
        PrintCropMarks(job, page);
    }
}

// The front, then the back on a page of its own when the card has one.
static void PrintSides(TReport &job, const Card &card, const Options &options)
{
    PrintPage(job, card, options);
    if (card.Back && job.newPage())
        PrintPage(job, *card.Back, options);
}

// The card once, or once per record on pages of their own (the back of
// each record right after its front).
static void PrintPages(TReport &job, const Card &card, const Options &options)
{
    CardMerge *merge = card.OneCardPerRecord ? CardMerge::Find(card.Panel) : nullptr;
    if (!merge) {
        PrintSides(job, card, options);
        return;
    }
    CardMerge *backMerge = card.Back ? CardMerge::Find(card.Back->Panel) : nullptr;
    const CardMerge::RecordKeeper keep(merge);
    const CardMerge::RecordKeeper keepBack(backMerge);
    const auto [first, last] = merge->Span(card.Records);
    for (int record = first; record <= last && !job.wasAborted(); ++record) {
        if (record > first && !job.newPage())
            return;
        merge->SetRecord(record);
        if (backMerge)
            backMerge->SetRecord(record);
        PrintSides(job, card, options);
    }
}

bool Write(const Card &card, const Options &options, const QString &fileName, QString *error)
{
    // Qt's writer fills a draft in a temporary folder; the finished file then
    // replaces the old one in one step, so a failed export leaves it as it was.
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        if (error)
            *error = QStringLiteral("Unable to write the PDF file %1: no room for a temporary file.")
                         .arg(QDir::toNativeSeparators(fileName));
        return false;
    }
    const QString draft = scratch.filePath(QStringLiteral("draft.pdf"));
    ZoomScope zoom(card.Panel);
    ZoomScope backZoom(card.Back ? card.Back->Panel : nullptr);
    const PageGeometry page = Page(card.Size, options);
    TReport job(std::make_unique<PdfTarget>(draft, Resolution));
    job.target().setPaper(
        QPageSize(page.Page, QPageSize::Inch, QStringLiteral("Card"), QPageSize::ExactMatch));
    job.setOrientation(poPortrait);
    job.onPrint = [&](TReport &j) { PrintPages(j, card, options); };
    if (!job.run()) {
        if (error)
            *error = QStringLiteral("Unable to write the PDF file %1: the card could not be drawn.")
                         .arg(QDir::toNativeSeparators(fileName));
        return false;
    }
    return PdfPageBoxes::SetBoxes(draft, fileName, Points(page.Trim), Points(page.Bleed), error);
}

Options Remembered()
{
    const IniFile ini(SettingsFileName());
    Options o;
    o.Bleed = UsableBleed(ini.readInches(Section, QStringLiteral("Bleed"), DefaultBleed));
    o.CropMarks = ini.readBool(Section, QStringLiteral("CropMarks"), false);
    return o;
}

void Remember(const Options &options)
{
    IniFile ini(SettingsFileName());
    ini.writeInches(Section, QStringLiteral("Bleed"), options.Bleed);
    ini.writeBool(Section, QStringLiteral("CropMarks"), options.CropMarks);
    ini.flush();
}

} // namespace PrintShopExport
