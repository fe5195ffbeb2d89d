#pragma once

#include "widgets/TColorArrayClass.h"

#include <QPoint>
#include <QWidget>

#include <functional>

class QPushButton;

// The borderless drop-down of the colour palette button: 4 x 5 preset cells
// of 18 x 18 pixels, a separator, the "&Other" button that opens the colour
// dialog and the "other" cell beside it. It closes itself when a cell is
// clicked, when it loses the focus and on Enter or Escape, and frees itself
// when closed. A press on the button that dropped it down only closes it.
class TDFSColorButtonPaletteXP : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kClientWidth = 72;
    static constexpr int kClientHeight = 121;
    static constexpr int kCellSize = 18;
    static constexpr int kColumns = 4;
    static constexpr int kRows = 5;

    // A highlight position: column 1..4 and row 1..5 for the grid; the
    // "other" cell counts as column 4 of row 6, the cell below the grid's
    // right column. (0, 0) is nothing.
    static constexpr QPoint kNoCell{0, 0};
    static constexpr QPoint kOtherCell{4, 6};

    explicit TDFSColorButtonPaletteXP(QWidget *owner);
    ~TDFSColorButtonPaletteXP() override;

    void SetShowColorHints(bool value) { m_showHints = value; }
    void SetOtherBtnCaption(const QString &caption);
    TColor OtherColor() const { return m_otherColor; }
    void SetOtherColor(TColor color);
    const TColorArrayClass &PaletteColors() const { return m_palette; }
    void SetPaletteColors(const TColorArrayClass &colors) { m_palette = colors; update(); }
    const TColorArrayClass &CustomColors() const { return m_custom; }
    void SetCustomColors(const TColorArrayClass &colors) { m_custom = colors; }
    // The colour of the button it belongs to: highlighted, and where the
    // colour dialog starts.
    TColor CurrentColor() const { return m_currentColor; }
    void SetCurrentColor(TColor color);

    // Colour chosen: the colour and whether the "other" cell or the colour
    // dialog gave it.
    std::function<void(TColor color, bool fromOther)> OnColorChosen;
    // Closed; `byKey` when Enter or Escape closed it.
    std::function<void(bool byKey)> OnClosed;
    // May rewrite a cell's hint: colour, column, row, hint text.
    std::function<void(TColor color, int x, int y, QString &hint)> OnGetColorHintText;

    QPoint Highlight() const { return m_highlight; }
    void SetHighlight(QPoint cell);
    // Highlights the first cell (grid first, then the "other" cell) whose
    // colour, system colours resolved, equals `color`.
    void HighlightColor(TColor color);
    // The cell under a client point (kNoCell outside every cell).
    static QPoint CellAt(QPoint client);
    // The client rectangle a cell is painted in.
    static QRect CellRect(QPoint cell);
    TColor CellColor(QPoint cell) const;
    // "RGB = %.3d %.3d %.3d" for the cell's colour, after OnGetColorHintText.
    QString HintText(QPoint cell) const;

    // The "&Other" button's action: the palette goes away, then the colour
    // dialog asks for a colour, starting at CurrentColor, with the custom
    // colours. The palette closes when the dialog is done.
    void ChooseOtherColor();
    bool ClosedByKey() const { return m_closedByKey; }

    // Where the palette goes for a button at `button` (screen rectangle) on
    // a screen whose work area is `workArea`: below the button, above it
    // when it would pass the bottom, kept inside the left and right edges.
    static QPoint PlaceBelow(const QRect &button, const QRect &workArea);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void paintCell(QPainter &painter, QPoint cell) const;
    void chooseCell(QPoint cell);
    void moveHighlight(int dx, int dy);

    QPushButton *m_otherButton = nullptr;
    bool m_showHints = true;
    TColor m_otherColor = clBtnFace;
    TColor m_currentColor = clBlack;
    TColorArrayClass m_palette{kColumns, kRows};
    TColorArrayClass m_custom{8, 2};
    QPoint m_highlight = kNoCell;
    bool m_closedByKey = false;
    bool m_inColorDialog = false;
    bool m_closed = false;
};
