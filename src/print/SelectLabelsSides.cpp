// The "Both sides" choice of "Print Cards".
#include "print/SelectLabelsDialog.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

void TSelectSpecificLabels::BuildSidesControls(QVBoxLayout *column)
{
    BothSidesBox = new QGroupBox(QStringLiteral("Both sides"), this);
    BothSidesBox->setCheckable(true);
    auto *box = new QVBoxLayout(BothSidesBox);
    LongEdgeButton = new QRadioButton(QStringLiteral("Flip on long edge"), BothSidesBox);
    ShortEdgeButton = new QRadioButton(QStringLiteral("Flip on short edge"), BothSidesBox);
    box->addWidget(LongEdgeButton);
    box->addWidget(ShortEdgeButton);
    const TDuplexFlip last = DuplexLayout::Remembered();
    BothSidesBox->setChecked(last != dfNone);
    (last == dfShortEdge ? ShortEdgeButton : LongEdgeButton)->setChecked(true);
    BothSidesBox->setVisible(false);
    column->addWidget(BothSidesBox);
}

void TSelectSpecificLabels::SetBothSidesOffered(bool offered)
{
    BothSidesBox->setVisible(offered);
    if (!offered)
        BothSidesBox->setChecked(false);
    FitToContents();
}

TDuplexFlip TSelectSpecificLabels::Flip() const
{
    if (!BothSidesBox->isVisibleTo(this) || !BothSidesBox->isChecked())
        return dfNone;
    return ShortEdgeButton->isChecked() ? dfShortEdge : dfLongEdge;
}
