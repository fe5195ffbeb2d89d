#pragma once

#include <QByteArray>

#include <memory>

class QTextDocument;

// A rich-text document as objects hold it: the RTF bytes themselves. Bytes
// read from a card document are kept as they are, so a document that is not
// edited is written back byte for byte.
//
// Parsing goes through a cache keyed by the bytes: painting an object again
// and again does not read its RTF again.
class TRichText
{
public:
    // The empty document.
    TRichText() = default;
    static TRichText fromRtf(const QByteArray &rtf);
    // The document written as RTF.
    static TRichText fromDocument(const QTextDocument &document);

    // The RTF bytes; the empty document has RTF too, so this is never empty.
    QByteArray Rtf() const;
    bool IsEmpty() const { return m_rtf.isEmpty(); }

    // The parsed document, shared with every holder of the same bytes; for
    // painting only (its layout may be changed, its content may not).
    std::shared_ptr<QTextDocument> Parsed() const;
    // A new editable copy of the document.
    std::unique_ptr<QTextDocument> CloneDocument() const;

    bool operator==(const TRichText &other) const { return Rtf() == other.Rtf(); }

private:
    QByteArray m_rtf; // empty: the empty document
};

// The parsed-document cache behind TRichText::Parsed.
namespace RichTextCache {
// Number of parses so far (tests check that repainting does not parse).
int parseCount();
void clear();
// Most recently used documents kept.
constexpr int Capacity = 64;
} // namespace RichTextCache
