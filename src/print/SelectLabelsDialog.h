#pragma once

#include "design/SheetLayout.h"
#include "print/CardSelection.h"
#include "print/DuplexLayout.h"

#include <QDialog>
#include <QList>
#include <QRect>

class QCheckBox;
class QGroupBox;
class QRadioButton;
class QVBoxLayout;
class QLabel;
class QPushButton;
class QSpinBox;
class QWidget;
class TCanvas;
class TPrintRecordsBox;
class TReport;

// "Print Cards": a drawing of the sheet at one fifth of its size in which
// the user clicks the card positions to print (red = selected), the current
// printer with its set-up dialog, and the number of sheets.
class TSelectSpecificLabels : public QDialog
{
    Q_OBJECT
public:
    // `job` is the main print job: its printer is shown and set up, and on
    // OK it takes portrait orientation and the number of pages as copies.
    explicit TSelectSpecificLabels(TReport *job, QWidget *parent = nullptr);

    // Filled before the dialog is shown (DoPageSetup).
    void SetLayout(const SheetLayout &layout);
    TCardSelection Selection = AllCardsSelected();

    QWidget *PaintBox1 = nullptr;
    QLabel *PrinterLabel = nullptr;
    QPushButton *PrinterSetupButton = nullptr;
    QSpinBox *pages = nullptr;
    // "Print cut marks": kept in the settings file when the dialog ends with OK.
    QCheckBox *CutMarksCheck = nullptr;
    // For a card filled from a contact list: hidden until ShowRecords.
    TPrintRecordsBox *RecordsBox = nullptr;
    void ShowRecords(int recordCount);
    // "Both sides" (checkable) with "Flip on long edge" / "Flip on short
    // edge", shown for a card with a back; the choice is kept in the
    // settings file when the dialog ends with OK.
    QGroupBox *BothSidesBox = nullptr;
    QRadioButton *LongEdgeButton = nullptr;
    QRadioButton *ShortEdgeButton = nullptr;
    void SetBothSidesOffered(bool offered);
    // dfNone unless "Both sides" is offered and ticked.
    TDuplexFlip Flip() const;

    int PositionCount() const { return m_across * m_down; }
    // A cell in paint-box pixels; it covers left..right-1 and top..bottom-1,
    // so right() + 1 is the drawn rectangle's exclusive right edge.
    QRect CellRect(int index) const { return m_cells.value(index); }
    QRect SheetRect() const;
    // The drawing's size: a Letter or A4 sheet fits with a margin all round
    // at the screen's pixels per inch.
    QSize PaintBoxSize() const;

    void FormActivate() { DetermineRectangles(); }
    void DetermineRectangles();
    void PaintBox1Paint(TCanvas &canvas);
    // A press at a paint-box point: the first cell holding it is toggled.
    void PaintBox1MouseDown(QPoint point);
    void SelectAllClick();
    void SelectnoneClick();
    void PrinterSetupButtonClick();
    void OKbuttonClick();
    void CancelButtonClick() { reject(); }
    void HelpbuttonClick();
    void ShowPrinterName();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void BuildControls();
    void BuildSidesControls(QVBoxLayout *column); // SelectLabelsSides.cpp
    // Grows the dialog to show boxes shown after it was built.
    void FitToContents();
    void FillLabelRect(TCanvas &canvas, const QRect &cell, bool selected);
    // The cut marks over the drawing while "Print cut marks" is ticked.
    void PaintCutMarks(TCanvas &canvas);
    void SetAll(bool selected);

    TReport *m_job;
    int m_paperCode = SheetLayout::PaperLetter;
    float m_cardHeight = 2, m_cardWidth = 3.5;
    int m_across = 2, m_down = 5;
    float m_topMargin = 0.5, m_leftMargin = 0.75, m_hPitch = 3.5, m_vPitch = 2;
    float m_paperWidth = 8.5f, m_paperHeight = 11.0f;
    int m_pixelsPerInch = 96;
    QList<QRect> m_cells;
};
