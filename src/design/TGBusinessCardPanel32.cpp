#include "design/TGBusinessCardPanel32.h"

#include "design/BackgroundArt.h"
#include "design/CardPainting.h"
#include "design/Properties.h"
#include "design/SheetLayout.h"
#include "design/TGCursors.h"
#include "design/TGGraphicControl.h"
#include "design/TGHandle.h"
#include "platform/Canvas.h"
#include "platform/Metafile.h"
#include "platform/CanvasRegions.h"
#include "platform/Numbers.h"
#include "platform/ScreenMetrics.h"

#include <QCoreApplication>
#include <QHash>

namespace {
constexpr int kPersonalValues = 10;
constexpr int kClickWidth = 50;    // a click, or a drag under 25 pixels, makes this wide an object
constexpr int kNarrowDrag = 25;
constexpr int kMinHeight = 15;

QHash<int, TGBusinessCardPanel32::ToolFactory> &tools()
{
    static QHash<int, TGBusinessCardPanel32::ToolFactory> t;
    return t;
}

int gridStep(TGridSize size)
{
    return size == gs8x8 ? 8 : 4;
}
} // namespace

void TGBusinessCardPanel32::RegisterTool(TLPanelState state, ToolFactory factory)
{
    tools().insert(int(state), std::move(factory));
}

TGBusinessCardPanel32::TGBusinessCardPanel32(QWidget *parent) : TGBasePanel(parent)
{
    Handle()->SetGridStep(gridStep(m_gridSize));
    SetPersonalInformation({});
    m_zoom = 1.0f;
}

TGBusinessCardPanel32::~TGBusinessCardPanel32() = default;

void TGBusinessCardPanel32::SetPanelState(TLPanelState state)
{
    if (state == m_state)
        return;
    m_state = state;
    SetPointing(state == psPointing);
    SetScreenCursor(state == psPointing ? TGCursors::crDefault : TGCursors::crDrag);
}

void TGBusinessCardPanel32::SetShape(TLabelShapeType shape)
{
    if (shape == m_shape)
        return;
    m_shape = shape;
    update();
}

void TGBusinessCardPanel32::SetGridSize(TGridSize size)
{
    if (size == m_gridSize)
        return;
    m_gridSize = size;
    Handle()->SetGridStep(gridStep(size));
    update();
}

void TGBusinessCardPanel32::SetShowGrid(bool value)
{
    if (value == m_showGrid)
        return;
    m_showGrid = value;
    update();
}

void TGBusinessCardPanel32::SetDrawOutline(bool value)
{
    if (value == m_drawOutline)
        return;
    m_drawOutline = value;
    update();
}

void TGBusinessCardPanel32::SetPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

void TGBusinessCardPanel32::SetColorPicture(const QImage &bitmap)
{
    m_colorPicture = bitmap;
    m_colorMetafile.reset();
    update();
}

void TGBusinessCardPanel32::SetColorMetafile(std::shared_ptr<const TMetafile> metafile)
{
    m_colorMetafile = std::move(metafile);
    m_colorPicture = QImage();
    update();
}

bool TGBusinessCardPanel32::HasColorPicture() const
{
    return !m_colorPicture.isNull() || m_colorMetafile;
}

void TGBusinessCardPanel32::LoadBackground(const QString &fileName)
{
    TPicture loaded;
    if (!BackgroundArt::Load(fileName, loaded)) {
        // The card shows no background, as it prints and reopens.
        ClearBackground();
        return;
    }
    if (loaded.IsMetafile())
        SetColorMetafile(loaded.MetafileShared());
    else
        SetColorPicture(loaded.Bitmap());
    // Upright, a metafile becomes a turned bitmap too, whatever letter case
    // its file name has.
    if (m_portrait)
        SetColorPicture(BackgroundArt::TurnedForPortrait(loaded));
}

void TGBusinessCardPanel32::ClearBackground()
{
    m_colorPicture = QImage();
    m_colorMetafile.reset();
    update();
}

void TGBusinessCardPanel32::CreateObject(QRect r)
{
    SetScreenCursor(TGCursors::crDefault);
    if (r.width() < kNarrowDrag)
        r.setWidth(kClickWidth);
    if (r.height() < kMinHeight)
        r.setHeight(kMinHeight);
    const auto tool = tools().constFind(int(m_state));
    if (tool == tools().constEnd() || !tool->create)
        return;
    TGGraphicControl *object = tool->create(*this);
    if (!object)
        return;
    object->Loaded();
    PlaceObject(object, r);
    if (tool->firstStep && !tool->firstStep(*this, *object)) {
        Handle()->DeselectObject(object);
        FreeObject(object);
        return;
    }
    // The new object is what the user works on next.
    if (Objects().contains(object))
        SelectOnly({object});
}

void TGBusinessCardPanel32::SetZoom(float factor)
{
    if (factor == m_zoom)
        return;
    m_zooming = true;
    const float current = m_zoom * 10 == 0 ? 1.0f : m_zoom;
    const float r = factor / current;
    resize(Numbers::roundHalfEven(double(width()) * double(r)),
           Numbers::roundHalfEven(double(height()) * double(r)));
    m_zoom = factor;
    for (TGGraphicControl *o : Objects())
        o->SetZoom(factor);
    QCoreApplication::processEvents();
    m_zooming = false;
}

void TGBusinessCardPanel32::SetCardSizeFromInches(double widthInches, double heightInches)
{
    const float zoom = m_zoom;
    if (zoom != 1.0f)
        SetZoom(1.0f);
    const int ppi = ScreenMetrics::pixelsPerInch();
    const double across = m_portrait ? heightInches : widthInches;
    const double down = m_portrait ? widthInches : heightInches;
    resize(Numbers::roundHalfEven(ppi * across), Numbers::roundHalfEven(ppi * down));
    if (zoom != 1.0f)
        SetZoom(zoom);
    update();
}

void TGBusinessCardPanel32::SetCardSize(const SheetLayout &layout)
{
    SetCardSizeFromInches(layout.Width, layout.Height);
}

void TGBusinessCardPanel32::SetCardOrientation(bool portrait, const SheetLayout &layout,
                                               const QString &backgroundFile)
{
    m_portrait = portrait;
    SetCardSize(layout);
    if (!backgroundFile.isEmpty())
        LoadBackground(backgroundFile);
    update();
}

QImage TGBusinessCardPanel32::RenderToBitmap()
{
    QImage bitmap(size(), QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    TCanvas canvas(&bitmap);
    PaintColorPicture(canvas, false);
    PaintObjects(canvas);
    return bitmap;
}

void TGBusinessCardPanel32::SetPersonalInformation(const QStringList &values)
{
    m_personal = values.mid(0, kPersonalValues);
    while (m_personal.size() < kPersonalValues)
        m_personal << QString();
}

void TGBusinessCardPanel32::PaintColorPicture(TCanvas &canvas, bool clipped)
{
    const int w = width(), h = height();
    if (clipped && HasColorPicture())
        canvas.selectClipRegion(CardPainting::shapeRegion(m_shape, w, h).translated(canvas.origin()));
    if (!m_colorPicture.isNull())
        canvas.stretchDraw(QRect(0, 0, w, h), m_colorPicture);
    else if (m_colorMetafile)
        canvas.stretchDraw(QRect(0, 0, w, h), m_colorMetafile->Picture());
    canvas.clearClip();
}

void TGBusinessCardPanel32::PaintBackground(TCanvas &canvas)
{
    const int w = width(), h = height();
    TGBasePanel::PaintBackground(canvas);
    if (!m_picture.isNull())
        CardPainting::paintPicture(canvas, m_shape, m_picture, w, h);
    PaintColorPicture(canvas, true);
    if (m_drawOutline)
        CardPainting::paintOutline(canvas, m_shape, w, h);
    if (m_showGrid)
        CardPainting::paintGrid(canvas, m_shape, m_gridSize, w, h);
}

void TGBusinessCardPanel32::paintEvent(QPaintEvent *event)
{
    if (m_paintingSuppressed)
        return;
    TGBasePanel::paintEvent(event);
}
