#pragma once

#include "platform/Fonts.h"

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;

// "Multi-line Text Editor": the lines of a multi-line label in one memo, in
// the label's font. Reachable without exec(): construct it, edit Memo, call
// OkButtonClick() and read Lines().
class TMultiLineTextEditor : public QDialog
{
    Q_OBJECT
public:
    static constexpr int HelpTopicNumber = 40001;
    // Characters the memo holds in all; a line break counts two, as the
    // stored text has a carriage return and a line feed there.
    static constexpr int MaxLength = 254;

    TMultiLineTextEditor(const TFont &font, const QStringList &lines, QWidget *parent = nullptr);

    QPlainTextEdit *Memo = nullptr;

    // The memo's text split at line breaks (a final break adds no line).
    QStringList Lines() const;
    // The memo's length as the limit counts it.
    int TextLength() const;

    void OkButtonClick();
    void HelpButtonClick();
};
