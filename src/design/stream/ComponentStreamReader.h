#pragma once

#include "design/stream/StreamRecord.h"

#include <QByteArray>
#include <vector>

// Reads component streams. Every read either succeeds completely or throws
// StreamError with a message naming the byte offset and the fault: truncated
// input, a length larger than the bytes left, an unknown tag, nesting deeper
// than kMaxDepth, a missing "TPF0" signature, child components inside a
// record. Lengths are checked against the bytes left before anything is
// allocated, so damaged input never makes the reader allocate more than the
// input's own size. Limits far above any real card keep hostile input cheap
// for everything that works on what was read: objects per container, values
// per stream, the length of one string or binary value, and the size of a
// document file.
class ComponentStreamReader
{
public:
    static constexpr int kMaxDepth = 32;
    // Read objects are named "Component0" to "Component1000".
    static constexpr int kMaxObjects = 1000;
    // Every value counts, items of lists and collections included.
    static constexpr int kMaxValues = 200000;
    static constexpr qsizetype kMaxStringLength = 1024 * 1024; // characters
    static constexpr qsizetype kMaxBinaryLength = 32 * 1024 * 1024; // bytes
    // The largest card document or clipboard file that is read.
    static constexpr qint64 kMaxDocumentBytes = 64 * 1024 * 1024;

    explicit ComponentStreamReader(const QByteArray &data);

    // The whole input as a container: 0x01, records, 0x00, nothing after.
    static std::vector<StreamRecord> readContainer(const QByteArray &data);
    // The whole input as one record without the list around it.
    static StreamRecord readSingleRecord(const QByteArray &data);

    void readListStart();
    // True (and the end marker consumed) when the next byte ends a list.
    bool readListEnd();
    StreamRecord readRecord();
    StreamValue readValue();
    // StreamError unless every byte has been read.
    void expectEnd() const;

    qsizetype position() const { return m_pos; }
    bool atEnd() const { return m_pos >= m_data.size(); }

private:
    [[noreturn]] void fail(const QString &message) const;
    void require(qsizetype bytes) const;
    void countValue();
    quint8 peekByte() const;
    quint8 readByte();
    QByteArray readBytes(qsizetype count);
    template<typename T> T readLittleEndian();
    qsizetype readCount(int bytesPerUnit, qsizetype maximum);
    QString readShortString();
    QString readLongString();
    QString readWideString();
    StreamProperties readProperties();
    StreamValue readList();
    StreamValue readCollection();
    StreamValue readSet();
    StreamValue readScalar(StreamTag tag);

    QByteArray m_data;
    qsizetype m_pos = 0;
    int m_depth = 0;
    int m_values = 0;
};
