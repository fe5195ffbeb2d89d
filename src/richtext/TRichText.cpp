#include "richtext/TRichText.h"

#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
#include "richtext/RichTextLayout.h"

#include <QCoreApplication>
#include <QHash>
#include <QTextDocument>

#include <list>

namespace {

struct Cache {
    using Entry = std::pair<QByteArray, std::shared_ptr<QTextDocument>>;
    std::list<Entry> recent; // most recent first
    QHash<QByteArray, std::list<Entry>::iterator> index;
    int parses = 0;
};

Cache &cache()
{
    // Never destroyed with the static objects: the documents hold fonts,
    // which must go before the application does (see the post routine).
    static Cache *instance = [] {
        qAddPostRoutine([] { RichTextCache::clear(); });
        return new Cache;
    }();
    return *instance;
}

const QByteArray &emptyRtf()
{
    static const QByteArray rtf = [] {
        QTextDocument document;
        RichTextLayout::prepareDocument(document);
        return RtfWriter::write(document);
    }();
    return rtf;
}

} // namespace

TRichText TRichText::fromRtf(const QByteArray &rtf)
{
    TRichText text;
    text.m_rtf = rtf;
    return text;
}

TRichText TRichText::fromDocument(const QTextDocument &document)
{
    return fromRtf(RtfWriter::write(document));
}

QByteArray TRichText::Rtf() const
{
    return m_rtf.isEmpty() ? emptyRtf() : m_rtf;
}

std::shared_ptr<QTextDocument> TRichText::Parsed() const
{
    Cache &c = cache();
    const QByteArray key = Rtf();
    const auto found = c.index.constFind(key);
    if (found != c.index.constEnd()) {
        c.recent.splice(c.recent.begin(), c.recent, *found);
        return c.recent.front().second;
    }
    auto document = std::make_shared<QTextDocument>();
    RichTextLayout::prepareDocument(*document);
    RtfReader::read(key, *document);
    RichTextLayout::toTwipsLayout(*document);
    ++c.parses;
    c.recent.emplace_front(key, document);
    c.index.insert(key, c.recent.begin());
    while (int(c.recent.size()) > RichTextCache::Capacity) {
        c.index.remove(c.recent.back().first);
        c.recent.pop_back();
    }
    return document;
}

std::unique_ptr<QTextDocument> TRichText::CloneDocument() const
{
    auto document = std::make_unique<QTextDocument>();
    RichTextLayout::prepareDocument(*document);
    RtfReader::read(Rtf(), *document);
    return document;
}

namespace RichTextCache {

int parseCount() { return cache().parses; }

void clear()
{
    Cache &c = cache();
    c.index.clear();
    c.recent.clear();
}

} // namespace RichTextCache
