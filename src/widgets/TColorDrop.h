#pragma once

#include "platform/Colors.h"

#include <QComboBox>

// A drop-down list of the 18 named colours, each shown with a swatch.
// Setting a colour selects the first entry with that value; a colour that
// no entry has leaves the list as it was.
class TColorDrop : public QComboBox
{
    Q_OBJECT
public:
    explicit TColorDrop(QWidget *parent = nullptr);

    // The colour of the selected entry (clBlack when none is selected).
    TColor Color() const;
    void SetColor(TColor color);

    // The entries in list order: caption and colour.
    static const QList<QPair<QString, TColor>> &NamedColors();

signals:
    // The user (or SetColor) selected another entry.
    void ColorChanged(TColor color);
};
