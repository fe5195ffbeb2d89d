#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh, empty program folder for one test: ProgramFolder() points at a
// temporary directory until the object is destroyed, and the directory is
// removed afterwards.
class TempProgramFolder
{
public:
    TempProgramFolder();
    ~TempProgramFolder();
    TempProgramFolder(const TempProgramFolder &) = delete;
    TempProgramFolder &operator=(const TempProgramFolder &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    // The folder, ending with "/" (as ProgramFolder() returns it).
    QString path() const;
    // A path inside the folder.
    QString filePath(const QString &relative) const;
    // Writes a file inside the folder (creating sub-folders); false on failure.
    bool writeFile(const QString &relative, const QByteArray &contents) const;
    QByteArray readFile(const QString &relative) const;

private:
    QTemporaryDir m_dir;
};
