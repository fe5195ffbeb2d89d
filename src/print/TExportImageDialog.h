#pragma once

#include <QDialog>
#include <QSizeF>

class QCheckBox;
class QLabel;
class QSpinBox;

// "Export as PNG": the resolution of the picture (96 to 1,200 dots per
// inch) and whether its background is transparent; the picture's size in
// pixels is shown as the values change.
class TExportImageDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TExportImageDialog(const QSizeF &cardInches, QWidget *parent = nullptr);

    QSpinBox *DpiEdit = nullptr;
    QCheckBox *TransparentCheck = nullptr;
    QLabel *SizeLabel = nullptr;

private:
    void ShowSize();

    QSizeF m_card;
};
