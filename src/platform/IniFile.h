#pragma once

#include "platform/Colors.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// An INI file with the platform's private-profile rules: section and key
// names ignore letter case, the first of two like-named sections or keys
// wins, spaces around names and values are trimmed on reading, and values
// are stored exactly as given (no quoting or escaping). Every line the
// program does not change, comments and unknown keys included, is written
// back as it was.
//
// The file is read once, when the object is made. Writes change the copy in
// memory and reach the disk on flush() or when the object is destroyed, in
// one atomic replace: a failed write leaves the old file whole. Keep one
// object per file alive at a time; another object on the same file sees its
// writes only after the flush.
//
// Text: a file that is valid UTF-8 is read as UTF-8, anything else as the
// platform's ANSI code page (Windows-1252). It is written back in the
// encoding it was read in; a Windows-1252 file that now holds a character the
// code page lacks, and every new file, is written as UTF-8. Line ends: CRLF
// and LF are both read; the file keeps the style of its first line end, and a
// new file uses LF.
class IniFile
{
public:
    // INI files are small; a larger file, or anything but a plain file (a
    // link to a device, a folder), is not read: it reads as empty and is
    // never overwritten (flush() fails), with the reason in errorString().
    static constexpr qint64 MaxFileBytes = 1024 * 1024;

    explicit IniFile(const QString &fileName);
    ~IniFile(); // flushes; a failure there is lost, so call flush() to know
    IniFile(const IniFile &) = delete;
    IniFile &operator=(const IniFile &) = delete;

    QString fileName() const { return m_fileName; }

    QString readString(const QString &section, const QString &key,
                       const QString &defaultValue = QString()) const;
    void writeString(const QString &section, const QString &key, const QString &value);

    // Decimal, or hexadecimal written "$1F" or "0x1F"; text that is not a
    // whole number (empty, "12abc") reads as the default.
    int readInteger(const QString &section, const QString &key, int defaultValue) const;
    void writeInteger(const QString &section, const QString &key, int value);

    // "1" / "0"; any non-zero integer reads true, non-numbers as the default.
    bool readBool(const QString &section, const QString &key, bool defaultValue) const;
    void writeBool(const QString &section, const QString &key, bool value);

    // Lengths stored as integer thousandths of an inch (rounded half to even).
    double readInches(const QString &section, const QString &key, double defaultInches) const;
    void writeInches(const QString &section, const QString &key, double inches);

    // Colour text ("clBlack", "$00FF8000", decimal). A missing key reads as
    // the default; text that is neither a colour name nor a number gives none.
    std::optional<TColor> readColor(const QString &section, const QString &key,
                                    TColor defaultValue) const;
    void writeColor(const QString &section, const QString &key, TColor value);

    bool sectionExists(const QString &section) const;
    bool valueExists(const QString &section, const QString &key) const;
    // The section names in file order (each name once).
    QStringList sections() const;
    // The key names of a section in file order.
    QStringList readSection(const QString &section) const;
    // The section's "key=value" lines in file order, names and values trimmed.
    QStringList readSectionValues(const QString &section) const;

    // Removes the section (every section of that name) with all its lines.
    void eraseSection(const QString &section);
    void deleteKey(const QString &section, const QString &key);

    // Writes pending changes to disk. False (with errorString()) when the
    // file cannot be replaced, or when it existed but could not be read, so
    // that its content is not overwritten with a partial copy. Pending
    // changes stay pending after a failure.
    bool flush();
    bool isModified() const { return m_modified; }
    QString errorString() const { return m_error; }

private:
    struct Line {
        enum Kind { Other, Section, Entry };
        QString text;
        Kind kind = Other;
        QString name; // section or key name, trimmed
        QString value; // entries only, trimmed
    };

    static Line parse(const QString &text);
    void load();
    QByteArray serialise() const;
    int findSection(const QString &section) const;
    int sectionEnd(int header) const;
    int findEntry(const QString &section, const QString &key) const;
    std::optional<QString> value(const QString &section, const QString &key) const;

    QString m_fileName;
    QList<Line> m_lines;
    bool m_crlf = false;
    bool m_ansi = false;
    bool m_bom = false;
    bool m_unreadable = false;
    bool m_modified = false;
    QString m_error;
    QString m_readError; // why the file could not be read
};
