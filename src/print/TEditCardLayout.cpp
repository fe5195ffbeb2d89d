#include "print/TEditCardLayout.h"

#include "platform/AppRoutines.h"
#include "platform/UserDialogs.h"
#include "print/LengthEdit.h"
#include "print/PredefinedStock.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr double MillimetresPerInch = 25.4;
constexpr double InchesPerMillimetre = 0.03937007874015748;
constexpr int InchDecimals = 3;
constexpr int MillimetreDecimals = 2;
constexpr int StockListLines = 21;
constexpr int EditWidth = 80;

// The paper drop-down's items and the codes they stand for; the empty third
// item stands for a code the dialog does not know.
const int PaperCodes[] = {SheetLayout::PaperLetter, SheetLayout::PaperA4};

// A dotted outline of a card of the given size, for the orientation buttons.
QPixmap cardOutline(QSize card, qreal pixelRatio)
{
    QPixmap pixmap(card * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(QRectF(0.5, 0.5, card.width() - 1, card.height() - 1));
    return pixmap;
}

QWidget *orientationChoice(QRadioButton *button, QSize card, qreal pixelRatio)
{
    auto *choice = new QWidget;
    auto *row = new QHBoxLayout(choice);
    row->setContentsMargins(0, 0, 0, 0);
    auto *picture = new QLabel;
    picture->setPixmap(cardOutline(card, pixelRatio));
    picture->setFixedSize(40, 40);
    picture->setAlignment(Qt::AlignCenter);
    row->addWidget(button);
    row->addWidget(picture);
    row->addStretch();
    return choice;
}

LengthEdit *lengthEdit(const char *name)
{
    auto *edit = new LengthEdit;
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QSpinBox *countEdit(const char *name, int maximum)
{
    auto *edit = new QSpinBox;
    edit->setObjectName(QLatin1String(name));
    edit->setRange(1, maximum);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return edit;
}

} // namespace

TEditCardLayout::TEditCardLayout(const SheetLayoutSetting &setting, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    FormCreate();
    MMButton->setChecked(setting.UseMM); // runs on the empty edits; the layout comes next
    m_layout = setting.Layout;
    FormActivate();
}

std::optional<SheetLayoutSetting> TEditCardLayout::Execute(const SheetLayoutSetting &setting,
                                                           QWidget *parent)
{
    TEditCardLayout dialog(setting, parent);
    if (UserDialogs::runModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.Setting();
}

bool TEditCardLayout::UseMM() const
{
    return MMButton->isChecked();
}

void TEditCardLayout::FormCreate()
{
    setWindowTitle(QStringLiteral("Business Card Layout"));
    m_suppressStockChange = true;

    auto *column = new QVBoxLayout(this);
    column->addWidget(createStockRow());
    column->addWidget(createUnitRow());
    column->addWidget(createMeasuresBox());
    column->addWidget(createOrientationBox());
    column->addWidget(createButtonRow());
    column->setSizeConstraint(QLayout::SetFixedSize);

    connectHandlers();
}

QWidget *TEditCardLayout::createStockRow()
{
    PredefinedLayouts = new QComboBox;
    PredefinedLayouts->setObjectName(QStringLiteral("PredefinedLayouts"));
    PredefinedLayouts->setMaxVisibleItems(StockListLines);
    PredefinedLayouts->clear();
    PredefinedLayouts->addItems(PredefinedStock::DisplayNames());
    PredefinedLayouts->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    auto *box = new QGroupBox(QStringLiteral("Predefined Layouts"));
    auto *row = new QHBoxLayout(box);
    row->addWidget(PredefinedLayouts);
    return box;
}

QWidget *TEditCardLayout::createUnitRow()
{
    Inchesbutton = new QRadioButton(QStringLiteral("Use &Inches"));
    Inchesbutton->setObjectName(QStringLiteral("Inchesbutton"));
    Inchesbutton->setChecked(true);
    MMButton = new QRadioButton(QStringLiteral("Use &Millimeters"));
    MMButton->setObjectName(QStringLiteral("MMButton"));

    auto *units = new QWidget;
    auto *row = new QHBoxLayout(units);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(Inchesbutton);
    row->addSpacing(24);
    row->addWidget(MMButton);
    row->addStretch();
    return units;
}

QWidget *TEditCardLayout::createMeasuresBox()
{
    eCardwidth = lengthEdit("eCardwidth");
    eCardHeight = lengthEdit("eCardHeight");
    eHorizPitch = lengthEdit("eHorizPitch");
    eVertPitch = lengthEdit("eVertPitch");
    eleftmarg = lengthEdit("eleftmarg");
    etopmarg = lengthEdit("etopmarg");
    enbracross = countEdit("enbracross", 10);
    enbrdown = countEdit("enbrdown", 30);

    epapersize = new QComboBox;
    epapersize->setObjectName(QStringLiteral("epapersize"));
    epapersize->addItems({QStringLiteral("Letter (8.5 x 11\")"), QStringLiteral("A4 (210 x 297mm)"),
                          QString()});
    epapersize->setCurrentIndex(-1); // an unknown paper code shows no item

    auto *box = new QGroupBox(QStringLiteral("Card and Sheet"));
    auto *grid = new QGridLayout(box);
    grid->setHorizontalSpacing(8);
    grid->setColumnMinimumWidth(2, 16);
    const auto addPair = [grid](int row, int column, const char *caption, QWidget *edit) {
        auto *label = new QLabel(QLatin1String(caption));
        label->setBuddy(edit);
        edit->setFixedWidth(EditWidth);
        grid->addWidget(label, row, column);
        grid->addWidget(edit, row, column + 1);
    };
    addPair(0, 0, "Card Width", eCardwidth);
    addPair(1, 0, "Card Height", eCardHeight);
    addPair(2, 0, "Left Margin", eleftmarg);
    addPair(3, 0, "# across", enbracross);
    addPair(0, 3, "Horizontal Pitch", eHorizPitch);
    addPair(1, 3, "Vertical Pitch", eVertPitch);
    addPair(2, 3, "Top Margin", etopmarg);
    addPair(3, 3, "# down", enbrdown);
    auto *paperLabel = new QLabel(QStringLiteral("Paper size"));
    paperLabel->setBuddy(epapersize);
    grid->addWidget(paperLabel, 4, 0);
    grid->addWidget(epapersize, 4, 1, 1, 4);
    return box;
}

QGroupBox *TEditCardLayout::createOrientationBox()
{
    eLandscape = new QRadioButton(QStringLiteral("Normal"));
    eLandscape->setObjectName(QStringLiteral("eLandscape"));
    eLandscape->setChecked(true);
    ePortrait = new QRadioButton(QStringLiteral("Rotated"));
    ePortrait->setObjectName(QStringLiteral("ePortrait"));

    const qreal ratio = devicePixelRatioF();
    auto *box = new QGroupBox(QStringLiteral("Orientation"));
    auto *row = new QHBoxLayout(box);
    row->addWidget(orientationChoice(eLandscape, QSize(35, 20), ratio));
    row->addWidget(orientationChoice(ePortrait, QSize(20, 35), ratio));
    return box;
}

QWidget *TEditCardLayout::createButtonRow()
{
    auto *buttons = new QDialogButtonBox;
    OkButton = buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    CancelButton = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    HelpButton = buttons->addButton(QStringLiteral("Help"), QDialogButtonBox::HelpRole);
    OkButton->setObjectName(QStringLiteral("OkButton"));
    CancelButton->setObjectName(QStringLiteral("Cancelbutton"));
    HelpButton->setObjectName(QStringLiteral("HelpButton"));
    OkButton->setDefault(true);
    return buttons;
}

void TEditCardLayout::connectHandlers()
{
    connect(PredefinedLayouts, &QComboBox::currentIndexChanged, this,
            &TEditCardLayout::PredefinedLayoutsChange);
    connect(Inchesbutton, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            InchesbuttonClick();
    });
    connect(MMButton, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            MMButtonClick();
    });
    connect(eCardwidth, &LengthEdit::editingFinished, this, &TEditCardLayout::eCardwidthExit);
    connect(eCardHeight, &LengthEdit::editingFinished, this, &TEditCardLayout::eCardHeightExit);
    connect(OkButton, &QPushButton::clicked, this, &TEditCardLayout::OkButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TEditCardLayout::CancelbuttonClick);
    connect(HelpButton, &QPushButton::clicked, this, &TEditCardLayout::HelpButtonClick);
}

void TEditCardLayout::FormActivate()
{
    if (m_activated)
        return;
    m_activated = true;
    PredefinedLayouts->setCurrentIndex(PredefinedStock::LayoutToDisplay(m_layout.PredefLayout));
    FillEditsFromValues();
    m_suppressStockChange = false;
}

QList<LengthEdit *> TEditCardLayout::lengthEdits() const
{
    return {eCardHeight, eCardwidth, etopmarg, eleftmarg, eHorizPitch, eVertPitch};
}

QList<float *> TEditCardLayout::layoutLengths()
{
    return {&m_layout.Height,    &m_layout.Width,  &m_layout.TopMargin,
            &m_layout.LeftMargin, &m_layout.HPitch, &m_layout.VPitch};
}

void TEditCardLayout::showLayoutLengths(int decimals, double factor)
{
    const QList<LengthEdit *> edits = lengthEdits();
    const QList<float *> lengths = layoutLengths();
    for (int i = 0; i < edits.size(); ++i) {
        edits[i]->setDecimals(decimals);
        edits[i]->setValue(*lengths[i] * factor);
    }
}

void TEditCardLayout::takeEditLengths(double factor)
{
    const QList<LengthEdit *> edits = lengthEdits();
    const QList<float *> lengths = layoutLengths();
    for (int i = 0; i < edits.size(); ++i)
        *lengths[i] = static_cast<float>(edits[i]->value() * factor);
}

void TEditCardLayout::FillEditsFromValues()
{
    // The layout holds inches; show them as inches first so that a switch to
    // millimetres below starts from what the edits really hold.
    m_editsInMM = false;
    showLayoutLengths(InchDecimals, 1.0);
    enbracross->setValue(m_layout.Across);
    enbrdown->setValue(m_layout.Down);
    if (m_layout.Portrait)
        ePortrait->setChecked(true);
    else
        eLandscape->setChecked(true);
    if (m_layout.Papersize == SheetLayout::PaperLetter)
        epapersize->setCurrentIndex(0);
    else if (m_layout.Papersize == SheetLayout::PaperA4)
        epapersize->setCurrentIndex(1);
    if (MMButton->isChecked())
        MMButtonClick();
}

void TEditCardLayout::PredefinedLayoutsChange()
{
    if (m_suppressStockChange)
        return;
    PredefinedStock::ApplyTo(PredefinedStock::DisplayToLayout(PredefinedLayouts->currentIndex()),
                             m_layout);
    m_layout.Portrait = ePortrait->isChecked(); // a stock says nothing about orientation
    FillEditsFromValues();
}

void TEditCardLayout::MMButtonClick()
{
    if (m_editsInMM)
        return;
    takeEditLengths(1.0);
    showLayoutLengths(MillimetreDecimals, MillimetresPerInch);
    m_editsInMM = true;
}

void TEditCardLayout::InchesbuttonClick()
{
    if (!m_editsInMM)
        return;
    takeEditLengths(InchesPerMillimetre);
    for (LengthEdit *edit : lengthEdits())
        edit->setMinimumDecimals(1);
    showLayoutLengths(InchDecimals, 1.0);
    m_editsInMM = false;
}

void TEditCardLayout::eCardwidthExit()
{
    if (eCardwidth->value() > eHorizPitch->value())
        eHorizPitch->setValue(eCardwidth->value());
}

void TEditCardLayout::eCardHeightExit()
{
    if (eCardHeight->value() > eVertPitch->value())
        eVertPitch->setValue(eCardHeight->value());
}

bool TEditCardLayout::OkButtonClick()
{
    // Take over whatever is still being typed.
    for (QAbstractSpinBox *edit : findChildren<QAbstractSpinBox *>())
        edit->interpretText();

    m_layout.Down = enbrdown->value();
    m_layout.Across = enbracross->value();
    m_layout.PredefLayout = PredefinedStock::DisplayToLayout(PredefinedLayouts->currentIndex());
    m_layout.Portrait = ePortrait->isChecked();
    if (m_editsInMM) {
        takeEditLengths(InchesPerMillimetre);
        // Millimetres come back as inches to the thousandth (88.9 mm is 3.5 in).
        for (float *length : layoutLengths())
            *length = QString::number(*length, 'f', 3).toFloat();
    } else {
        takeEditLengths(1.0);
    }
    const int paper = epapersize->currentIndex();
    if (paper >= 0 && paper < int(std::size(PaperCodes)))
        m_layout.Papersize = PaperCodes[paper];

    if (!ValidCard())
        return false;
    accept();
    return true;
}

void TEditCardLayout::CancelbuttonClick()
{
    reject();
}

void TEditCardLayout::HelpButtonClick()
{
    emit HelpRequested(HelpTopicNumber);
}

bool TEditCardLayout::ValidCard()
{
    try {
        if (m_layout.Height < 0.3)
            throw EValid("Card Height must be at least .3 inches (or 7mm)");
        if (m_layout.Width < 0.5)
            throw EValid("Card Width must be at least .5 inch (or 13mm)");
        // Larger cards would not read back from a card document or the settings.
        if (m_layout.Height > SheetLayout::MaxCardSide)
            throw EValid("Card Height must be at most 22 inches (or 558mm)");
        if (m_layout.Width > SheetLayout::MaxCardSide)
            throw EValid("Card Width must be at most 22 inches (or 558mm)");
        if (m_layout.Across >= 2 && m_layout.HPitch < m_layout.Width)
            throw EValid("Horizontal Pitch must be at least = Card Width");
        if (m_layout.Down >= 2 && m_layout.VPitch < m_layout.Height)
            throw EValid("Vertical Pitch must be at least = Card Height");
    } catch (const EValid &failure) {
        Inform(QString::fromUtf8(failure.what()));
        return false;
    }
    return true;
}
