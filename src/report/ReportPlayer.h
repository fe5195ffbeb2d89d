#pragma once

#include "report/RecordedJob.h"

#include <QImage>
#include <QRectF>

class QPainter;

// Plays the pages of a recorded job back onto any painter at any scale:
// the whole physical sheet is mapped onto the rectangle given, white paper
// first, the recorded drawing on top, the unprintable margins left white.
class ReportPlayer
{
public:
    explicit ReportPlayer(RecordedJob job = {});

    const RecordedJob &job() const { return job_; }
    int pageCount() const { return job_.pageCount(); }
    QSizeF pageSizeInches() const { return job_.pageSizeInches(); }

    // Draws page `index` (0-based) onto `pageRect`; false when there is no such page.
    bool play(int index, QPainter &painter, const QRectF &pageRect) const;
    // Page `index` as an image at the given resolution (null when no such page).
    QImage render(int index, double pixelsPerInch) const;

private:
    RecordedJob job_;
};
