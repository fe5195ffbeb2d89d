#include "print/LengthEdit.h"

#include <QLineEdit>

namespace {
// Six digits at most, whatever the unit.
constexpr double MaximumLength = 9999.99;
} // namespace

LengthEdit::LengthEdit(QWidget *parent)
    : QDoubleSpinBox(parent)
{
    setButtonSymbols(QAbstractSpinBox::NoButtons);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setDecimals(3);
    setRange(0.0, MaximumLength);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
}

void LengthEdit::setMinimumDecimals(int decimals)
{
    if (decimals == m_minimumDecimals)
        return;
    m_minimumDecimals = decimals;
    setValue(value()); // redisplay
    lineEdit()->setText(textFromValue(value()));
}

QString LengthEdit::textFromValue(double value) const
{
    QString text = locale().toString(value, 'f', decimals());
    text.remove(locale().groupSeparator());
    const QString point = locale().decimalPoint();
    const int pointAt = text.indexOf(point);
    if (pointAt < 0)
        return text;
    const int keep = pointAt + point.size() + m_minimumDecimals;
    while (text.size() > keep && text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(point))
        text.chop(point.size());
    return text;
}
