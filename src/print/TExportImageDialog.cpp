#include "print/TExportImageDialog.h"

#include "platform/Numbers.h"
#include "print/CardImageExport.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

TExportImageDialog::TExportImageDialog(const QSizeF &cardInches, QWidget *parent)
    : QDialog(parent), m_card(cardInches)
{
    setWindowTitle(QStringLiteral("Export as PNG"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    DpiEdit = new QSpinBox(this);
    DpiEdit->setRange(CardImageExport::MinDpi, CardImageExport::MaxDpi);
    DpiEdit->setSingleStep(50);
    DpiEdit->setSuffix(QStringLiteral(" dpi"));
    DpiEdit->setValue(CardImageExport::DefaultDpi);
    form->addRow(QStringLiteral("&Resolution:"), DpiEdit);
    SizeLabel = new QLabel(this);
    form->addRow(QStringLiteral("Picture size:"), SizeLabel);
    TransparentCheck = new QCheckBox(QStringLiteral("&Transparent background (no background art)"), this);
    form->addRow(QString(), TransparentCheck);
    layout->addLayout(form);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(DpiEdit, &QSpinBox::valueChanged, this, &TExportImageDialog::ShowSize);
    ShowSize();
    setMinimumWidth(340);
}

void TExportImageDialog::ShowSize()
{
    const int dpi = DpiEdit->value();
    SizeLabel->setText(QStringLiteral("%1 × %2 pixels")
                           .arg(Numbers::roundHalfEven(m_card.width() * dpi))
                           .arg(Numbers::roundHalfEven(m_card.height() * dpi)));
}
