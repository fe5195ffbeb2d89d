#pragma once

#include <QSet>
#include <QString>

class TMainScreen;

// The File menu's document commands: new, open, delete, save and save as.
class TFileCommands
{
public:
    explicit TFileCommands(TMainScreen &screen) : m_screen(screen) {}

    void NewBlank();
    void Open();
    // "Open" without the file dialog: a document named on the command line
    // or handed over by a second copy of the program.
    void OpenPath(const QString &path);
    void Delete();
    void Save();
    void SaveAs();

    // "BC0001.KVL", "BC0002.KVL", ...: the first name not in `folder`
    // (letter case ignored); empty when all 9999 are taken.
    static QString SuggestedCardName(const QString &folder);
    // A ".KVL" file (letter case ignored); otherwise says so and is false.
    static bool CheckCardExtension(const QString &path);
    // Deletes the file and its companion; a failure is reported.
    static bool DeleteCardFiles(const QString &path);

private:
    QString AskCardFile(const QString &caption) const;
    // Where the card holds pictures the Windows version cannot read, offers
    // once to write a copy it can open beside the saved document.
    void OfferWindowsCopy(const QString &path);

    TMainScreen &m_screen;
    QSet<QString> m_windowsCopyOffered;
};
