#include "effects/TSuperShape.h"

#include "design/TGBusinessCardPanel32.h"
#include "platform/Canvas.h"
#include "platform/Numbers.h"
#include "platform/CanvasRegions.h"
#include "platform/ScreenMetrics.h"
#include "report/TReport.h"

using SuperShapeFigure::Box;

void TSuperShape::PaintFigure(TCanvas &canvas, const Box &box, const Box &sizeBox)
{
    const SuperShapeFigure::Params p = FigureParams();
    switch (m_shape) {
    case gstRectangle:
        canvas.rectangle(box.left, box.top, box.right, box.bottom);
        break;
    case gstRoundRect: {
        const int c = SuperShapeFigure::cornerSize(p);
        canvas.roundRect(box.left, box.top, box.right, box.bottom, c, c);
        break;
    }
    case gstEllipse:
        canvas.ellipse(box.left, box.top, box.right, box.bottom);
        break;
    default: {
        const QPolygon points = SuperShapeFigure::figurePolygon(p, box, sizeBox);
        if (points.size() >= 3)
            canvas.polygon(points);
        break;
    }
    }
}

QRegion TSuperShape::FigureRegion(const Box &box) const
{
    const SuperShapeFigure::Params p = FigureParams();
    if (!m_region.isEmpty() && p == m_regionParams && box == m_regionBox)
        return m_region;
    QRegion region;
    switch (m_shape) {
    case gstRectangle:
        region = CanvasRegions::rect(box.left, box.top, box.right, box.bottom);
        break;
    case gstRoundRect: {
        const int c = SuperShapeFigure::cornerSize(p);
        region = CanvasRegions::roundRect(box.left, box.top, box.right, box.bottom, c, c);
        break;
    }
    case gstEllipse:
        region = CanvasRegions::ellipse(box.left, box.top, box.right, box.bottom);
        break;
    default:
        region = CanvasRegions::polygon(SuperShapeFigure::figurePolygon(p, box, box), Qt::WindingFill);
        break;
    }
    m_regionParams = p;
    m_regionBox = box;
    m_region = region;
    return region;
}

void TSuperShape::Paint(TCanvas &canvas)
{
    EnsureSurfaces();
    const SuperShapeFigure::Rects r = SuperShapeFigure::rects(FigureParams());

    if (m_shadowOrient != soNone) {
        canvas.setBrush(TBrush{m_shadowColor, bsSolid, {}});
        canvas.setPen(TPen{clBlack, 1, psSolid, pmCopy});
        PaintFigure(canvas, r.shadow, r.shape);
    }

    if (const QImage *surface = SurfaceBitmap()) {
        canvas.brush().style = bsSolid;
        // The object's own clip (its bounds) stays in force under the figure's.
        const bool hadClip = canvas.hasClip();
        const QRegion saved = canvas.clipRegion();
        const QRegion figure = FigureRegion(r.shape).translated(canvas.origin());
        canvas.selectClipRegion(hadClip ? figure.intersected(saved) : figure);
        const QSize tile = m_surfaceType == stBrushImage ? EffectSurfaces::textureTileSize(*surface, Zoom())
                                                          : surface->size();
        EffectSurfaces::tileSurface(canvas, *surface, tile, Width(), Height());
        if (hadClip)
            canvas.selectClipRegion(saved);
        else
            canvas.clearClip();
    }

    if (m_outline.style != psClear) {
        canvas.brush().style = bsClear;
        canvas.setPen(TPen{m_outline.color, m_outline.width, m_outline.style, pmCopy});
        // Only the rounded rectangle lets the gaps of a styled outline show through.
        if (m_shape == gstRoundRect)
            canvas.setBackgroundMode(bmTransparent);
        PaintFigure(canvas, r.shape, r.shape);
    }
}

namespace {

// The figure of a multi-purpose shape on a print job: rectangles, rounded
// rectangles and ellipses in inches, everything else as a polygon of
// printer points.
struct PrintFigure {
    const TSuperShape &shape;
    const EffectSurfaces::PrintState &state;

    QPolygon printerPolygon(const QPolygon &screen) const
    {
        QPolygon points;
        for (const QPoint &p : screen)
            points << state.printerPoint(shape.Left(), shape.Top(), p.x(), p.y());
        return points;
    }

    QRectF inches(const Box &box) const
    {
        return state.inchRect(shape.Left(), shape.Top(), box.left, box.top, box.right, box.bottom);
    }

    double cornerInches() const
    {
        return SuperShapeFigure::cornerSize(shape.FigureParams()) / double(ScreenMetrics::pixelsPerInch());
    }

    QPolygon polygon(const Box &box, const Box &sizeBox) const
    {
        return printerPolygon(SuperShapeFigure::figurePolygon(shape.FigureParams(), box, sizeBox));
    }

    void draw(TReport &report, const Box &box, const Box &sizeBox) const
    {
        const QRectF r = inches(box);
        switch (shape.Shape()) {
        case gstRectangle:
            report.rectangle(r.left(), r.top(), r.right(), r.bottom());
            break;
        case gstRoundRect:
            report.roundRect(r.left(), r.top(), r.right(), r.bottom(), cornerInches(), cornerInches());
            break;
        case gstEllipse:
            report.ellipse(r.left(), r.top(), r.right(), r.bottom());
            break;
        default: {
            const QPolygon points = polygon(box, sizeBox);
            if (points.size() >= 3 && points.size() <= 60)
                report.polygon(points);
            break;
        }
        }
    }

    void pushClip(TReport &report, const Box &box) const
    {
        const QRectF r = inches(box);
        switch (shape.Shape()) {
        case gstRectangle:
            report.pushClipRect(r.left(), r.top(), r.right(), r.bottom());
            break;
        case gstRoundRect:
            report.pushClipRoundRect(r.left(), r.top(), r.right(), r.bottom(), cornerInches(), cornerInches());
            break;
        case gstEllipse:
            report.pushClipEllipse(r.left(), r.top(), r.right(), r.bottom());
            break;
        default:
            report.pushClipPolygon(polygon(box, box));
            break;
        }
    }
};

} // namespace

void TSuperShape::PrintTo(TReport &report, double left, double top)
{
    const EffectSurfaces::PrintState state = EffectSurfaces::PrintState::begin(report, left, top);
    if (m_surfaceType == stBrushPattern && m_solid.isNull())
        RebuildSolid();
    if (m_surfaceType == stGradientFill && m_gradient.size() != QSize(Width(), Height()))
        RebuildGradient();

    const SuperShapeFigure::Rects r = SuperShapeFigure::rects(FigureParams());
    const PrintFigure figure{*this, state};

    if (m_shadowOrient != soNone) {
        report.setBrush(m_shadowColor, bsSolid);
        report.setPen(clBlack, psSolid, -1, pmCopy);
        figure.draw(report, r.shadow, r.shape);
    }

    if (m_surfaceType != stBrushTransparent) {
        const EffectSurfaces::PageBox box =
            EffectSurfaces::PageBox::fromRect(state.pageBox(Left(), Top(), Width(), Height()));
        report.setBrush(m_foreColor, bsSolid);
        figure.pushClip(report, r.shape);
        report.selectClip();
        if (m_surfaceType == stGradientFill) {
            EffectSurfaces::printGradient(state, box, 0, Numbers::truncate(0.25 * report.resolutionY()),
                                          m_backColor, m_gradientToColor, m_fillDirection);
        } else {
            const auto *card = dynamic_cast<const TGBusinessCardPanel32 *>(Panel());
            const bool preview = card && card->Preview();
            const bool composed = preview && state.colorCount <= 256;
            EffectSurfaces::printTiles(state, m_surfaceType == stBrushImage ? m_texture.image() : m_solid, box, composed);
        }
        report.clearClip();
        report.popClip();
    }

    report.setBrush(m_foreColor, bsClear);
    report.setPen(m_outline.color, m_outline.style, -m_outline.width, pmCopy);
    figure.draw(report, r.shape, r.shape);
}
