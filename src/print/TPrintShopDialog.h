#pragma once

#include "print/PrintShopExport.h"

#include <QDialog>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;

// "Export for Print Shop": the bleed (in inches or millimetres, as the
// layout dialog shows lengths) and whether to add crop marks; the page size
// that results is shown as the values change.
class TPrintShopDialog : public QDialog
{
    Q_OBJECT
public:
    TPrintShopDialog(const QSizeF &cardInches, bool millimetres, QWidget *parent = nullptr);

    void SetOptions(const PrintShopExport::Options &options);
    PrintShopExport::Options Options() const;

    QDoubleSpinBox *BleedEdit = nullptr;
    QCheckBox *CropMarksCheck = nullptr;
    QLabel *PageSizeLabel = nullptr;

private:
    void ShowPageSize();
    double ToDisplay(double inches) const;

    QSizeF m_card;
    bool m_millimetres;
};
