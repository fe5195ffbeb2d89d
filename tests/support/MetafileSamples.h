#pragma once

#include <QByteArray>
#include <QRect>

// Small enhanced metafiles built record by record for tests, each drawing
// something whose pixels a test can predict, and damaged ones.
namespace MetafileSamples {

// Frame 26.46 mm square (100 pixels at 96 per inch); HIMETRIC mapping with a
// world shift, a red rectangle over the top half clipped to its left half.
QByteArray emfMappingSample();
// A clip set after SaveDC and dropped by RestoreDC, then a blue fill of the
// whole frame.
QByteArray emfSaveRestoreSample();
// "HELLO" in black 40-pixel Arial (at 200 x 100) on a baseline at y = 50.
QByteArray emfTextSample();
// A stretched bitmap whose header claims 30000 x 30000 pixels in 16 bytes.
QByteArray emfWithHostileBitmap();
// The same stretch in a placeable WMF (a STRETCHDIB record).
QByteArray wmfWithHostileBitmap();
// A plain WMF (no placeable header) with the window at (100, 100) sized
// 200 x 100: a red rectangle over the left half with its bottom-left quarter
// excluded by a clip that RestoreDC drops again, then a blue bottom-right
// quarter drawn with a brush made in the slot a deleted one freed.
QByteArray wmfShapesSample();
// A polygon record claiming `count` points while holding two.
QByteArray emfWithPolygonCount(quint32 count);
// A plain WMF of 200 x 100 window units holding `records` records in all:
// SAVEDC records, then the end record.
QByteArray wmfWithRecords(int records);
// A header with the given frame in hundredths of a millimetre.
QByteArray emfWithFrame(const QRect &frame);

} // namespace MetafileSamples
