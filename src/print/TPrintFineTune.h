#pragma once

#include "print/SheetGeometry.h"

#include <QDialog>

class QLabel;
class QPushButton;

// "Printer Fine-Tuning": four corrections in 1/32 inch (-8 ... +8) added to
// the sheet layout at print time. The dialog edits a working copy; "Ok"
// hands it back through Nudges().
class TPrintFineTune : public QDialog
{
    Q_OBJECT
public:
    static constexpr int Limit = 8;

    explicit TPrintFineTune(const TSheetNudges &nudges, QWidget *parent = nullptr);

    const TSheetNudges &Nudges() const { return m_nudges; }

    QLabel *lTopMarginNudge = nullptr;
    QLabel *LLeftMarginNudge = nullptr;
    QLabel *LVerticalSpacing = nullptr;
    QLabel *LHorizontalSpacing = nullptr;

    // The value label text of a nudge ("None", "Increase by 3/32\"", ...).
    static QString NudgeText(int nudge);

    void ShowValues();
    void TopMarginSpinnerUpClick() { Up(m_nudges.TopMarginNudge); }
    void TopMarginSpinnerDownClick() { Down(m_nudges.TopMarginNudge); }
    void LeftMarginSpinnerUpClick() { Up(m_nudges.LeftMarginNudge); }
    void LeftMarginSpinnerDownClick() { Down(m_nudges.LeftMarginNudge); }
    void VerticalSpacingSpinnerUpClick() { Up(m_nudges.VerticalSpacing); }
    void VerticalSpacingSpinnerDownClick() { Down(m_nudges.VerticalSpacing); }
    void HorizontalSpacingSpinnerUpClick() { Up(m_nudges.HorizontalSpacing); }
    void HorizontalSpacingSpinnerDownClick() { Down(m_nudges.HorizontalSpacing); }
    void DefaultButtonClick();
    void OKButtonClick() { accept(); }
    void CancelbuttonClick() { reject(); }
    void HelpbuttonClick();

private:
    // The down arrow moves printing down or right and spreads the cards.
    void Down(int &nudge);
    void Up(int &nudge);
    QLabel *AddPanel(class QGridLayout *grid, int row, const QString &caption, const QString &explanation,
                     void (TPrintFineTune::*up)(), void (TPrintFineTune::*down)());

    TSheetNudges m_nudges;
};
