#include "print/TPrintRecordsBox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

TPrintRecordsBox::TPrintRecordsBox(QWidget *parent) : QGroupBox(QStringLiteral("Records"), parent)
{
    setObjectName(QStringLiteral("RecordsBox"));
    PerRecordCheck = new QCheckBox(QStringLiteral("One card per &record"), this);
    AllRecordsButton = new QRadioButton(QStringLiteral("A&ll records"), this);
    SomeRecordsButton = new QRadioButton(QStringLiteral("Re&cords"), this);
    FromEdit = new QSpinBox(this);
    ToEdit = new QSpinBox(this);
    auto *to = new QLabel(QStringLiteral("to"), this);
    AllRecordsButton->setChecked(true);

    auto *grid = new QGridLayout(this);
    grid->addWidget(PerRecordCheck, 0, 0, 1, 4);
    grid->addWidget(AllRecordsButton, 1, 0, 1, 4);
    grid->addWidget(SomeRecordsButton, 2, 0);
    grid->addWidget(FromEdit, 2, 1);
    grid->addWidget(to, 2, 2);
    grid->addWidget(ToEdit, 2, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    connect(PerRecordCheck, &QCheckBox::toggled, this, [this](bool on) {
        UpdateControls();
        emit PerRecordToggled(on);
    });
    connect(SomeRecordsButton, &QRadioButton::toggled, this, &TPrintRecordsBox::UpdateControls);
    // The range never turns round.
    connect(FromEdit, &QSpinBox::valueChanged, this, [this](int from) {
        if (ToEdit->value() < from)
            ToEdit->setValue(from);
    });
    connect(ToEdit, &QSpinBox::valueChanged, this, [this](int last) {
        if (FromEdit->value() > last)
            FromEdit->setValue(last);
    });
    SetRecordCount(1);
}

void TPrintRecordsBox::SetRecordCount(int count)
{
    count = std::max(count, 1);
    FromEdit->setRange(1, count);
    ToEdit->setRange(1, count);
    ToEdit->setValue(count);
    UpdateControls();
}

void TPrintRecordsBox::SetChoice(bool oneCardPerRecord, const RecordRange &range)
{
    PerRecordCheck->setChecked(oneCardPerRecord);
    const bool some = range.first > 1 || range.last > 0;
    (some ? SomeRecordsButton : AllRecordsButton)->setChecked(true);
    if (some) {
        FromEdit->setValue(range.first);
        ToEdit->setValue(range.last > 0 ? range.last : ToEdit->maximum());
    }
    UpdateControls();
}

bool TPrintRecordsBox::OneCardPerRecord() const
{
    return PerRecordCheck->isChecked();
}

RecordRange TPrintRecordsBox::Range() const
{
    if (!SomeRecordsButton->isChecked())
        return RecordRange();
    return RecordRange{FromEdit->value(), ToEdit->value()};
}

void TPrintRecordsBox::UpdateControls()
{
    const bool on = PerRecordCheck->isChecked();
    AllRecordsButton->setEnabled(on);
    SomeRecordsButton->setEnabled(on);
    FromEdit->setEnabled(on && SomeRecordsButton->isChecked());
    ToEdit->setEnabled(on && SomeRecordsButton->isChecked());
}
