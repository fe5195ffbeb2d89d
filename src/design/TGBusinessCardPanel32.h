#pragma once

#include "design/TGBasePanel.h"
#include "design/TLPanelState.h"

#include <QImage>
#include <QStringList>

#include <functional>
#include <memory>

struct SheetLayout;
class TMetafile;

// The white card the user designs on: the tool state and the objects the
// drawing tools create, the card's shape, outline, grid and background
// pictures, its size and orientation, zoom, and rendering into a bitmap.
class TGBusinessCardPanel32 : public TGBasePanel
{
    Q_OBJECT
public:
    // How a drawing tool makes its object: `create` builds it (kind set,
    // panel font copied where it applies) before `Loaded` runs; `firstStep`
    // runs after placing (a dialog or chooser) and returns false when the
    // object is to be removed again. Each object class registers its tool.
    struct ToolFactory {
        std::function<TGGraphicControl *(TGBusinessCardPanel32 &panel)> create;
        std::function<bool(TGBusinessCardPanel32 &panel, TGGraphicControl &object)> firstStep;
    };
    static void RegisterTool(TLPanelState state, ToolFactory factory);

    explicit TGBusinessCardPanel32(QWidget *parent = nullptr);
    ~TGBusinessCardPanel32() override;

    TLPanelState PanelState() const { return m_state; }
    void SetPanelState(TLPanelState state);

    TLabelShapeType Shape() const { return m_shape; }
    void SetShape(TLabelShapeType shape);
    TGridSize GridSize() const { return m_gridSize; }
    void SetGridSize(TGridSize size);
    bool ShowGrid() const { return m_showGrid; }
    void SetShowGrid(bool value);
    bool DrawOutline() const { return m_drawOutline; }
    void SetDrawOutline(bool value);

    // The underlay stretched over the card, painted first.
    const QImage &Picture() const { return m_picture; }
    void SetPicture(const QImage &picture);
    // The background art: a bitmap, or a metafile drawn stretched over the card.
    const QImage &ColorPicture() const { return m_colorPicture; }
    const TMetafile *ColorMetafile() const { return m_colorMetafile.get(); }
    void SetColorPicture(const QImage &bitmap);
    void SetColorMetafile(std::shared_ptr<const TMetafile> metafile);
    bool HasColorPicture() const;

    // Loads the background art (a bitmap or a metafile); on an upright card
    // it becomes a bitmap turned a quarter clockwise. Failures leave the
    // background as far as it was loaded.
    void LoadBackground(const QString &fileName);
    void ClearBackground();

    void CreateObject(QRect r) override;
    void SetZoom(float factor);

    // The card's pixel size from its size in inches at the screen's pixels
    // per inch (an upright card exchanges them), at the current zoom.
    void SetCardSizeFromInches(double widthInches, double heightInches);
    void SetCardSize(const SheetLayout &layout);
    bool Portrait() const { return m_portrait; }
    void SetPortrait(bool value) { m_portrait = value; }
    // Stores the orientation, resizes the card and reloads the background so
    // that it turns with the card.
    void SetCardOrientation(bool portrait, const SheetLayout &layout, const QString &backgroundFile);

    // The card as a new image: background art and objects, no underlay,
    // outline, grid or marks.
    QImage RenderToBitmap();

    bool Preview() const { return m_preview; }
    void SetPreview(bool value) { m_preview = value; }
    bool PaintingSuppressed() const { return m_paintingSuppressed; }
    void SetPaintingSuppressed(bool value) { m_paintingSuppressed = value; }

    // The ten personal-information values (Name, Company, Title, Address1-3,
    // Phone1-2, Email, Fax) for templates and text labels.
    QString PersonalInformation(int index) const { return m_personal.value(index); }
    void SetPersonalInformation(const QStringList &values);

    // Card templates (".KVLT"). Writing stores labels, shapes, lines and the
    // logo's place, topmost first, and "Card Data"; coordinates are written
    // as 96-per-inch pixels at zoom 1, the form reading expects. False (with
    // `error`) when the file could not be written.
    bool WriteTemplate(const QString &fileName, const QString &backgroundPath,
                       QString *error = nullptr);
    // Adds the template's objects (shapes, lines, the personal-information
    // labels, other labels, the logo placeholder), sets the portrait flag and
    // returns the background file name (a plain name, or empty). Painting is
    // suspended while reading. A colour text that is neither a name nor a
    // number ends the reading with `error` set; the objects read so far stay.
    QString ReadTemplate(const QString &fileName, QString *error = nullptr);
    // The typeface of every text label and multi-line text object; size,
    // style and colour stay. Each touched object reports the change.
    void SetAllTextFonts(const QString &fontName);

protected:
    void PaintBackground(TCanvas &canvas) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void PaintColorPicture(TCanvas &canvas, bool clipped);

    TLPanelState m_state = psPointing;
    TLabelShapeType m_shape = lsRoundRect;
    TGridSize m_gridSize = gs4x4;
    bool m_showGrid = false;
    bool m_drawOutline = false;
    QImage m_picture;
    QImage m_colorPicture;
    std::shared_ptr<const TMetafile> m_colorMetafile;
    bool m_portrait = false;
    bool m_preview = false;
    bool m_paintingSuppressed = false;
    QStringList m_personal;
};
