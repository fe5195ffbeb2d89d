#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>

class QComboBox;
class QListWidget;
class QPushButton;

// The "Symbol Selector": one character of an installed symbol font as the
// SuperText's caption. The font list offers the symbol fonts of this system;
// the grid shows the 224 characters from code 32 to 255 of the chosen font.
//
// Works without exec(): choose with SymbolSetsChange / SymbolListClick and
// read ChosenFontName() / ChosenChar().
class TSuperTextGetSymbol : public QDialog
{
    Q_OBJECT
public:
    explicit TSuperTextGetSymbol(QWidget *parent = nullptr);

    QComboBox *SymbolSets = nullptr;
    QListWidget *SymbolList = nullptr;
    QPushButton *CopyCharButton = nullptr; // "Ok"
    QPushButton *OKButton = nullptr;       // "Cancel"

    // True when no symbol font was found: the selector has said so and
    // closed; it must not be shown.
    bool NoFonts() const { return m_noFonts; }
    QString ChosenFontName() const { return m_fontName; }
    // The chosen character as card text stores it (its Windows-1252 code).
    QString ChosenChar() const { return m_char; }

    void FormActivate();
    void SymbolSetsChange();
    void SymbolListClick();
    void CopyCharButtonClick();

    // The symbol font families offered, by the names documents store: the
    // installed outline families that declare only symbols. The one place
    // that decides which fonts the selector lists.
    static QStringList InstalledSymbolFonts();
    // Tests replace the installed fonts; null restores them.
    static void SetFontSource(std::function<QStringList()> source);

private:
    void ShowFace(const QString &fontName);

    bool m_noFonts = false;
    QString m_fontName;
    QString m_char;
};
