#pragma once

// Helpers for the rich-text tests: test files, and a document's blocks and
// runs in a form that is easy to compare.

#include "richtext/RichTextLayout.h"
#include "richtext/RtfReader.h"

#include <QFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <memory>

inline QString rtfDataPath(const QString &name)
{
    return qEnvironmentVariable("KARVELLO_TEST_SOURCE_DIR") + QStringLiteral("/tests/data/rtf/") + name;
}

inline QByteArray rtfData(const QString &name)
{
    QFile file(rtfDataPath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline std::unique_ptr<QTextDocument> readRtf(const QByteArray &rtf, RtfReader::Result *result = nullptr)
{
    auto document = std::make_unique<QTextDocument>();
    RichTextLayout::prepareDocument(*document);
    const RtfReader::Result r = RtfReader::read(rtf, *document);
    if (result)
        *result = r;
    return document;
}

inline QStringList blockTexts(const QTextDocument &document)
{
    QStringList texts;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
        texts << b.text();
    return texts;
}

inline QTextBlock blockAt(const QTextDocument &document, int index)
{
    return document.findBlockByNumber(index);
}

// The character format at the first occurrence of `text`.
inline QTextCharFormat formatOf(const QTextDocument &document, const QString &text)
{
    const QTextCursor found = document.find(text, 0, QTextDocument::FindCaseSensitively);
    if (found.isNull())
        return QTextCharFormat();
    QTextCursor c(const_cast<QTextDocument *>(&document));
    c.setPosition(found.selectionStart() + 1);
    return c.charFormat();
}

inline QString familyOf(const QTextCharFormat &f)
{
    const QStringList families = f.fontFamilies().toStringList();
    return families.isEmpty() ? QString() : families.first();
}

// Every run of every block: text and the formatting that matters, for
// comparing two documents.
inline QStringList describe(const QTextDocument &document)
{
    QStringList out;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat bf = b.blockFormat();
        out << QStringLiteral("P align=%1 li=%2 ri=%3 fi=%4 sb=%5 sa=%6")
                   .arg(int(bf.alignment() & Qt::AlignHorizontal_Mask))
                   .arg(qRound(bf.leftMargin() * 15)).arg(qRound(bf.rightMargin() * 15))
                   .arg(qRound(bf.textIndent() * 15)).arg(qRound(bf.topMargin() * 15))
                   .arg(qRound(bf.bottomMargin() * 15));
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const QTextCharFormat c = f.charFormat();
            out << QStringLiteral("  [%1] %2 %3pt b%4 i%5 u%6 s%7 fg=%8 bg=%9 va=%10")
                       .arg(f.text(), familyOf(c)).arg(c.fontPointSize())
                       .arg(c.fontWeight() >= QFont::DemiBold).arg(c.fontItalic()).arg(c.fontUnderline())
                       .arg(c.fontStrikeOut())
                       .arg(c.foreground().style() == Qt::NoBrush ? QStringLiteral("-") : c.foreground().color().name())
                       .arg(c.background().style() == Qt::NoBrush ? QStringLiteral("-") : c.background().color().name())
                       .arg(int(c.verticalAlignment()));
        }
    }
    return out;
}
