#pragma once

// What every fuzz target shares: one offscreen application made before the
// first input, the card classes registered, 96 pixels per inch, and a
// private program folder in memory-backed storage for the readers that
// take a file name.

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace FuzzSupport {

// Makes the application once; later calls do nothing.
void start();

QByteArray bytes(const uint8_t *data, size_t size);

// Runs what an input left for the event loop (objects deleted later), so
// that nothing piles up from one input to the next.
void settle();

// A path in the private folder (created on first use).
QString scratchPath(const QString &name);
// Writes `contents` to scratchPath(name) and returns the path.
QString writeScratch(const QString &name, const QByteArray &contents);
QByteArray readScratch(const QString &name);

// Stops the run with a message: a property the target checks did not hold.
[[noreturn]] void fail(const char *what, const QByteArray &detail = QByteArray());

} // namespace FuzzSupport
