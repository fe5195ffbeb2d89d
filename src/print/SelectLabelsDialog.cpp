#include "print/SelectLabelsDialog.h"

#include "platform/Canvas.h"
#include "platform/Numbers.h"
#include "platform/ScreenMetrics.h"
#include "platform/UserDialogs.h"
#include "print/CutMarks.h"
#include "print/PrinterChoice.h"
#include "print/TPrintRecordsBox.h"
#include "report/TReport.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
constexpr int SheetOffset = 10; // the sheet's corner in the paint box
// The drawing holds either paper: Letter is the wider, A4 the taller.
constexpr float WidestPaper = 8.5f;
constexpr float TallestPaper = 11.69f;
} // namespace

TSelectSpecificLabels::TSelectSpecificLabels(TReport *job, QWidget *parent) : QDialog(parent), m_job(job)
{
    setWindowTitle(QStringLiteral("Print Cards"));
    m_pixelsPerInch = ScreenMetrics::pixelsPerInch();
    BuildControls();
    ShowPrinterName();
}

void TSelectSpecificLabels::BuildControls()
{
    auto *layout = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral(" Select Cards To Print"), this));
    PaintBox1 = new QWidget(this);
    PaintBox1->setFixedSize(PaintBoxSize());
    PaintBox1->installEventFilter(this);
    left->addWidget(PaintBox1);
    left->addStretch(1); // the header stays just above the drawing
    layout->addLayout(left);

    auto *right = new QVBoxLayout;
    auto *hint = new QLabel(
        QStringLiteral("Click on individual cards to select or unselect them for printing. (red=selected)"), this);
    hint->setWordWrap(true);
    right->addWidget(hint);
    auto *all = new QPushButton(QStringLiteral("&All"), this);
    auto *none = new QPushButton(QStringLiteral("&None"), this);
    right->addWidget(all);
    right->addWidget(none);

    auto *printer = new QGroupBox(QStringLiteral("Printer"), this);
    auto *printerLayout = new QVBoxLayout(printer);
    PrinterLabel = new QLabel(printer);
    PrinterLabel->setWordWrap(true);
    PrinterSetupButton = new QPushButton(QStringLiteral("Print &Setup"), printer);
    printerLayout->addWidget(PrinterLabel);
    printerLayout->addWidget(PrinterSetupButton);
    right->addWidget(printer);

    auto *pagePanel = new QGroupBox(QStringLiteral("Pages"), this);
    auto *pageLayout = new QHBoxLayout(pagePanel);
    auto *pagesCaption = new QLabel(QStringLiteral("Number of &pages:"), pagePanel);
    pages = new QSpinBox(pagePanel);
    pages->setRange(1, 99);
    pages->setValue(1);
    pagesCaption->setBuddy(pages);
    pageLayout->addWidget(pagesCaption);
    pageLayout->addWidget(pages);
    right->addWidget(pagePanel);
    CutMarksCheck = new QCheckBox(QStringLiteral("Print cut marks"), this);
    CutMarksCheck->setToolTip(QStringLiteral("Short lines in the sheet's margins along every card edge"));
    CutMarksCheck->setChecked(CutMarks::Remembered());
    connect(CutMarksCheck, &QCheckBox::toggled, PaintBox1, qOverload<>(&QWidget::update));
    right->addWidget(CutMarksCheck);
    RecordsBox = new TPrintRecordsBox(this);
    RecordsBox->hide();
    // With one card per record the records decide the number of sheets.
    connect(RecordsBox, &TPrintRecordsBox::PerRecordToggled, pages, &QWidget::setDisabled);
    right->addWidget(RecordsBox);
    BuildSidesControls(right);

    auto *buttons = new QHBoxLayout;
    auto *ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto *help = new QPushButton(QStringLiteral("Help"), this);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    right->addLayout(buttons);
    layout->addLayout(right);

    connect(all, &QPushButton::clicked, this, &TSelectSpecificLabels::SelectAllClick);
    connect(none, &QPushButton::clicked, this, &TSelectSpecificLabels::SelectnoneClick);
    connect(PrinterSetupButton, &QPushButton::clicked, this, &TSelectSpecificLabels::PrinterSetupButtonClick);
    connect(ok, &QPushButton::clicked, this, &TSelectSpecificLabels::OKbuttonClick);
    connect(cancel, &QPushButton::clicked, this, &TSelectSpecificLabels::CancelButtonClick);
    connect(help, &QPushButton::clicked, this, &TSelectSpecificLabels::HelpbuttonClick);
}

void TSelectSpecificLabels::SetLayout(const SheetLayout &layout)
{
    m_paperCode = layout.Papersize;
    m_cardHeight = layout.Height;
    m_cardWidth = layout.Width;
    m_across = layout.Across;
    m_down = layout.Down;
    m_topMargin = layout.TopMargin;
    m_leftMargin = layout.LeftMargin;
    m_hPitch = layout.HPitch;
    m_vPitch = layout.VPitch;
    const bool letter = m_paperCode == SheetLayout::PaperLetter;
    m_paperWidth = letter ? 8.5f : 8.268f;
    m_paperHeight = letter ? 11.0f : 11.69f;
    DetermineRectangles();
}

void TSelectSpecificLabels::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FitToContents();
    FormActivate();
}

void TSelectSpecificLabels::DetermineRectangles()
{
    const float s = 0.2f * float(m_pixelsPerInch);
    const int count = std::min(PositionCount(), MaxCardPositions);
    m_cells.clear();
    m_cells.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int r = i / m_across;
        const int c = i % m_across;
        const int left = Numbers::truncate(m_leftMargin * s) + c * Numbers::truncate(m_hPitch * s) + SheetOffset;
        const int top = Numbers::truncate(m_topMargin * s) + r * Numbers::truncate(m_vPitch * s) + SheetOffset;
        const int right = left + Numbers::truncate(m_cardWidth * s);
        const int bottom = top + Numbers::truncate(m_cardHeight * s);
        m_cells.append(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
    }
    PaintBox1->update();
}

QSize TSelectSpecificLabels::PaintBoxSize() const
{
    // The sheet at one fifth of its size with the same margin all round.
    const float s = 0.2f * float(m_pixelsPerInch);
    return QSize(Numbers::truncate(WidestPaper * s) + 2 * SheetOffset,
                 Numbers::truncate(TallestPaper * s) + 2 * SheetOffset);
}

QRect TSelectSpecificLabels::SheetRect() const
{
    const float s = 0.2f * float(m_pixelsPerInch);
    return QRect(QPoint(SheetOffset, SheetOffset), QPoint(Numbers::truncate(m_paperWidth * s) + SheetOffset - 1,
                                                          Numbers::truncate(m_paperHeight * s) + SheetOffset - 1));
}

void TSelectSpecificLabels::PaintBox1Paint(TCanvas &canvas)
{
    canvas.setBrush(TBrush{clWhite, bsSolid, {}});
    const QRect sheet = SheetRect();
    canvas.rectangle(sheet.left(), sheet.top(), sheet.right() + 1, sheet.bottom() + 1);
    for (int i = 0; i < m_cells.size(); ++i)
        FillLabelRect(canvas, m_cells.at(i), Selection.test(i));
    if (CutMarksCheck->isChecked())
        PaintCutMarks(canvas);
}

void TSelectSpecificLabels::PaintCutMarks(TCanvas &canvas)
{
    TSheetGeometry sheet;
    sheet.CardHeight = m_cardHeight;
    sheet.CardWidth = m_cardWidth;
    sheet.Across = m_across;
    sheet.Down = m_down;
    sheet.Top = m_topMargin;
    sheet.Left = m_leftMargin;
    sheet.HorizontalPitch = m_hPitch;
    sheet.VerticalPitch = m_vPitch;
    const float s = 0.2f * float(m_pixelsPerInch);
    const auto at = [s](double inches) { return Numbers::truncate(inches * s) + SheetOffset; };
    canvas.setPen(TPen{clBlack, 1, psSolid, pmCopy});
    for (const QLineF &line : CutMarks::Lines(sheet, false, QSizeF(m_paperWidth, m_paperHeight))) {
        canvas.moveTo(at(line.x1()), at(line.y1()));
        canvas.lineTo(at(line.x2()), at(line.y2()));
    }
}

void TSelectSpecificLabels::FillLabelRect(TCanvas &canvas, const QRect &cell, bool selected)
{
    canvas.setBrush(TBrush{selected ? clRed : clWhite, bsSolid, {}});
    canvas.rectangle(cell.left(), cell.top(), cell.right() + 1, cell.bottom() + 1);
}

void TSelectSpecificLabels::PaintBox1MouseDown(QPoint point)
{
    for (int i = 0; i < m_cells.size(); ++i) {
        if (m_cells.at(i).contains(point)) {
            Selection.flip(i);
            PaintBox1->update(m_cells.at(i));
            return;
        }
    }
}

bool TSelectSpecificLabels::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == PaintBox1 && event->type() == QEvent::Paint) {
        QPainter painter(PaintBox1);
        TCanvas canvas(&painter);
        PaintBox1Paint(canvas);
        return true;
    }
    if (watched == PaintBox1 && event->type() == QEvent::MouseButtonPress) {
        PaintBox1MouseDown(static_cast<QMouseEvent *>(event)->position().toPoint());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TSelectSpecificLabels::SetAll(bool selected)
{
    for (int i = 0; i < std::min(PositionCount(), MaxCardPositions); ++i)
        Selection.set(i, selected);
    PaintBox1->update();
}

void TSelectSpecificLabels::SelectAllClick()
{
    SetAll(true);
}

void TSelectSpecificLabels::SelectnoneClick()
{
    SetAll(false);
}

void TSelectSpecificLabels::ShowPrinterName()
{
    PrinterLabel->setText(m_job ? PrinterChoice::PrinterName(*m_job) : QString());
}

void TSelectSpecificLabels::PrinterSetupButtonClick()
{
    if (m_job)
        PrinterChoice::SetupDialog(*m_job);
    ShowPrinterName();
}

void TSelectSpecificLabels::OKbuttonClick()
{
    if (m_job) {
        m_job->setOrientation(poPortrait);
        m_job->setCopies(pages->value());
    }
    if (AnyCardSelected(Selection, PositionCount())) {
        CutMarks::Remember(CutMarksCheck->isChecked());
        if (BothSidesBox->isVisibleTo(this))
            DuplexLayout::Remember(Flip());
        accept();
    }
    else
        UserDialogs::current().inform(QStringLiteral("You must select at least one card to print"));
}

void TSelectSpecificLabels::ShowRecords(int recordCount)
{
    RecordsBox->SetRecordCount(recordCount);
    RecordsBox->show();
    FitToContents();
}

void TSelectSpecificLabels::FitToContents()
{
    // The wrapped labels make the layout's own minimum too low by a line or
    // so: the natural height is the least that shows every box whole.
    adjustSize();
    setMinimumHeight(sizeHint().height());
    if (height() < minimumHeight())
        resize(width(), minimumHeight());
}

void TSelectSpecificLabels::HelpbuttonClick()
{
    UserDialogs::showHelp(2020);
}
