#pragma once

#include <QDoubleSpinBox>

// A number edit for one layout length: no spin buttons, the value rounded to
// the edit's decimals, and trailing zeros left off the display down to a
// minimum number of decimals ("#0.###" shows 2 for 2.0, "#0.0##" shows 2.0).
class LengthEdit : public QDoubleSpinBox
{
    Q_OBJECT
public:
    explicit LengthEdit(QWidget *parent = nullptr);

    int minimumDecimals() const { return m_minimumDecimals; }
    void setMinimumDecimals(int decimals);

    QString textFromValue(double value) const override;

private:
    int m_minimumDecimals = 0;
};
