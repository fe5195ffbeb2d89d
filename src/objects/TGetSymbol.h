#pragma once

#include "platform/Fonts.h"

#include <QDialog>
#include <optional>

class QLabel;
class QListWidget;
class QPushButton;

// "Symbol Selector": the 224 characters of codes 32 to 255 of a font in a
// multi-column list at the list's own design size of 20 points, a button
// that chooses the font, and the chosen character. Reachable without
// exec(): construct it, call FormActivate(), pick in SymbolList, call
// OkButtonClick() and read ChosenFont() and ChosenCaption().
class TGetSymbol : public QDialog
{
    Q_OBJECT
public:
    static constexpr int HelpTopicNumber = 40005;
    static constexpr int ListDesignSize = 20; // points
    static constexpr int ItemHeight = 30;
    static constexpr int FirstCode = 32;
    static constexpr int ItemCount = 224;

    TGetSymbol(const TFont &labelFont, const QString &caption, QWidget *parent = nullptr);

    QListWidget *SymbolList = nullptr;
    QPushButton *Fontbutton = nullptr;
    // Hidden; carries the font the label takes on "Ok".
    QLabel *SelectedChar = nullptr;

    // Columns for a list font size: 6-10 pt 14, 11-20 10, 21-30 8, 31-40 6,
    // 41-50 4, 51-60 3, 61-72 2, anything else 1.
    static int ColumnsForSize(int points);
    int Columns() const { return m_columns; }
    const TFont &ListFont() const { return m_listFont; }
    const TFont &ChosenFont() const { return m_chosenFont; }
    // The one character of the selected code; none when nothing is selected.
    std::optional<QString> ChosenCaption() const;
    // "<name>, <size>pt " then "Bold " and "Italic " as they apply.
    static QString FontCaption(const TFont &font);

    // Chooses the columns from the list font and refreshes the font button.
    void FormActivate();
    void FontbuttonClick();
    void OkButtonClick();
    void HelpButtonClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void ApplyListFont();

    TFont m_listFont;
    TFont m_chosenFont;
    int m_columns = 1;
};
