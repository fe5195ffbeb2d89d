#pragma once

#include "platform/Colors.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

#include <stdexcept>
#include <vector>

// Raised for an index outside the table.
class EColorArrayError : public std::out_of_range
{
public:
    EColorArrayError() : std::out_of_range("Array index out of bounds") {}
};

// A two-dimensional table of colours, XSize columns by YSize rows, both
// indices counted from 1. Element (x, y) sits at linear position
// x + (y - 1) * XSize, so positions run across each row in turn.
class TColorArrayClass
{
public:
    TColorArrayClass() = default;
    TColorArrayClass(int xSize, int ySize);

    int XSize() const { return m_xSize; }
    int YSize() const { return m_ySize; }
    int Count() const { return m_xSize * m_ySize; }
    // A new size empties the table (every colour black) until it is set again.
    void SetXSize(int value);
    void SetYSize(int value);

    TColor Color(int x, int y) const;
    void SetColor(int x, int y, TColor color);
    // By linear position 1..Count.
    TColor ColorAt(int position) const;
    void SetColorAt(int position, TColor color);

    // Size and every colour of another table.
    void Assign(const TColorArrayClass &source) { *this = source; }
    bool operator==(const TColorArrayClass &other) const = default;

    // The stored values in stream order: "XSize", "YSize", then "Colors", a
    // list of every colour column by column (x outer, y inner).
    using StreamValues = QList<QPair<QString, QVariant>>;
    StreamValues WriteValues() const;
    // Reads values written by WriteValues (unknown names are skipped; more
    // colours than the table holds raise EColorArrayError).
    void ReadValues(const StreamValues &values);

private:
    int index(int x, int y) const;
    void resize(int xSize, int ySize);

    int m_xSize = 0;
    int m_ySize = 0;
    std::vector<TColor> m_colors;
};
