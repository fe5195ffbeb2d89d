#pragma once

#include "objects/TGetLabelText.h"

#include <QStringList>

class QComboBox;

// The "Text" dialog of a card label: the text, or one of the card owner's
// personal-information values copied into it.
class TGetBCLabelText : public TGetLabelText
{
    Q_OBJECT
public:
    // `personal`: the ten values in the order Name ... Fax; empty ones are
    // left out of the list, which is disabled when none is set.
    TGetBCLabelText(const QString &text, const QStringList &personal, QWidget *parent = nullptr);

    QComboBox *PersonalInfoCombo = nullptr;

    // Copies the chosen value into the edit field.
    void PersonalInfoComboChange();
};
