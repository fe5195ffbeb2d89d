#pragma once

#include "report/ReportTypes.h"

#include <QByteArray>
#include <QList>
#include <QPicture>
#include <QString>
#include <optional>

class QIODevice;

// A print job kept for the preview: the device geometry it was drawn for and
// one picture per page, recorded in device pixels from the printable origin.
// It can be written to and read back from a stream.
class RecordedJob
{
public:
    QString title;
    ReportDeviceMetrics metrics;
    QList<QPicture> pages;

    int pageCount() const { return int(pages.size()); }
    // Physical sheet size in inches.
    QSizeF pageSizeInches() const;

    QByteArray toByteArray() const;
    bool write(QIODevice &stream) const;
    // None when the bytes are not a recorded job (or a damaged one).
    static std::optional<RecordedJob> fromByteArray(const QByteArray &bytes);
    static std::optional<RecordedJob> read(QIODevice &stream);
};
