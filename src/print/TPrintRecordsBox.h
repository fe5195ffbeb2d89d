#pragma once

#include "design/CardMerge.h"

#include <QGroupBox>

class QCheckBox;
class QRadioButton;
class QSpinBox;

// The "Records" group of "Print Cards" for a card filled from a contact
// list: "One card per record" (the selected positions take the records in
// order and the number of sheets follows from them), for all records or
// only records n to m.
class TPrintRecordsBox : public QGroupBox
{
    Q_OBJECT
public:
    explicit TPrintRecordsBox(QWidget *parent = nullptr);

    // The list's size; the range spans it.
    void SetRecordCount(int count);
    void SetChoice(bool oneCardPerRecord, const RecordRange &range);

    bool OneCardPerRecord() const;
    RecordRange Range() const;

    QCheckBox *PerRecordCheck = nullptr;
    QRadioButton *AllRecordsButton = nullptr;
    QRadioButton *SomeRecordsButton = nullptr;
    QSpinBox *FromEdit = nullptr;
    QSpinBox *ToEdit = nullptr;

signals:
    void PerRecordToggled(bool on);

private:
    void UpdateControls();
};
