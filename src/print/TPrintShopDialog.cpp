#include "print/TPrintShopDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
constexpr double MillimetresPerInch = 25.4;
} // namespace

TPrintShopDialog::TPrintShopDialog(const QSizeF &cardInches, bool millimetres, QWidget *parent)
    : QDialog(parent), m_card(cardInches), m_millimetres(millimetres)
{
    setWindowTitle(QStringLiteral("Export for Print Shop"));
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(QStringLiteral("The card is saved as a PDF file for a print shop. The background, and "
                                            "filled shapes and pictures that touch the card's edge, run on into "
                                            "the bleed so that no white line shows after cutting."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto *form = new QFormLayout;
    BleedEdit = new QDoubleSpinBox(this);
    if (m_millimetres) {
        BleedEdit->setDecimals(1);
        BleedEdit->setRange(0, PrintShopExport::MaxBleed * MillimetresPerInch);
        BleedEdit->setSingleStep(0.5);
        BleedEdit->setSuffix(QStringLiteral(" mm"));
    } else {
        BleedEdit->setDecimals(3);
        BleedEdit->setRange(0, PrintShopExport::MaxBleed);
        BleedEdit->setSingleStep(1.0 / 16);
        BleedEdit->setSuffix(QStringLiteral(" in"));
    }
    form->addRow(QStringLiteral("&Bleed on each side:"), BleedEdit);
    CropMarksCheck = new QCheckBox(QStringLiteral("Add &crop marks"), this);
    form->addRow(QString(), CropMarksCheck);
    PageSizeLabel = new QLabel(this);
    form->addRow(QStringLiteral("Page size:"), PageSizeLabel);
    layout->addLayout(form);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(BleedEdit, &QDoubleSpinBox::valueChanged, this, &TPrintShopDialog::ShowPageSize);
    connect(CropMarksCheck, &QCheckBox::toggled, this, &TPrintShopDialog::ShowPageSize);
    SetOptions(PrintShopExport::Options());
    setMinimumWidth(380);
}

double TPrintShopDialog::ToDisplay(double inches) const
{
    return m_millimetres ? inches * MillimetresPerInch : inches;
}

void TPrintShopDialog::SetOptions(const PrintShopExport::Options &options)
{
    BleedEdit->setValue(ToDisplay(options.Bleed));
    CropMarksCheck->setChecked(options.CropMarks);
    ShowPageSize();
}

PrintShopExport::Options TPrintShopDialog::Options() const
{
    PrintShopExport::Options o;
    const double value = BleedEdit->value();
    o.Bleed = PrintShopExport::UsableBleed(m_millimetres ? value / MillimetresPerInch : value);
    o.CropMarks = CropMarksCheck->isChecked();
    return o;
}

void TPrintShopDialog::ShowPageSize()
{
    const QSizeF page = PrintShopExport::Page(m_card, Options()).Page;
    const int decimals = m_millimetres ? 1 : 3;
    const QString unit = m_millimetres ? QStringLiteral("mm") : QStringLiteral("in");
    PageSizeLabel->setText(QStringLiteral("%1 × %2 %3")
                               .arg(locale().toString(ToDisplay(page.width()), 'f', decimals),
                                    locale().toString(ToDisplay(page.height()), 'f', decimals), unit));
}
