#include "print/PredefinedStock.h"

#include <array>

namespace PredefinedStock {
namespace {

constexpr int Letter = SheetLayout::PaperLetter;
constexpr int A4 = SheetLayout::PaperA4;

// Name, paper, height, width, down, top margin, left margin, pitches.
constexpr std::array<Stock, Count> Table = {{
    {"Avery Business Card 5371 (Letter Size Paper)", Letter, 2.0f, 3.5f, 5, 0.5f, 0.75f, 3.5f, 2.0f},
    {"Avery Business Card 5372 (Letter Size Paper)", Letter, 2.0f, 3.5f, 5, 0.5f, 0.75f, 3.5f, 2.0f},
    {"Avery Business Card 5376 (Letter Size Paper)", Letter, 2.0f, 3.5f, 5, 0.5f, 0.75f, 3.5f, 2.0f},
    {"Avery Business Card 5377 (Letter Size Paper)", Letter, 2.0f, 3.5f, 5, 0.5f, 0.75f, 3.5f, 2.0f},
    {"Avery Business Card 5911 (Letter Size Paper)", Letter, 2.0f, 3.5f, 5, 0.5f, 0.75f, 3.5f, 2.0f},
    {"Avery Business Card 8371 Ink Jet (Letter Size Paper)", Letter, 2.0f, 3.5f, 5, 0.5f, 0.75f, 3.5f, 2.0f},
    {"Avery Business Card 8372 Ink Jet (Letter Size Paper)", Letter, 2.0f, 3.5f, 5, 0.5f, 0.75f, 3.5f, 2.0f},
    {"Avery Business Card 8376 Ink Jet (Letter Size Paper)", Letter, 2.0f, 3.5f, 5, 0.5f, 0.75f, 3.5f, 2.0f},
    {"Avery Business Card 8377 Ink Jet (Letter Size Paper)", Letter, 2.0f, 3.5f, 5, 0.5f, 0.75f, 3.5f, 2.0f},
    {"Avery Business Card L7413 (A4 Size Paper)", A4, 2.0f, 3.543f, 5, 0.846f, 0.591f, 3.543f, 2.0f},
    {"Avery Business Card L7414 (A4 Size Paper)", A4, 2.047f, 3.543f, 5, 0.728f, 0.591f, 3.543f, 2.047f},
    {"Avery Business Card L7415 (A4 Size Paper)", A4, 2.047f, 3.543f, 5, 0.728f, 0.591f, 3.543f, 2.047f},
    {"Avery Business Card L7417 (A4 Size Paper)", A4, 2.126f, 3.543f, 5, 0.531f, 0.591f, 3.543f, 2.126f},
    {"Avery Business Card L7419 (A4)", A4, 2.126f, 3.543f, 5, 0.531f, 0.591f, 3.543f, 2.126f},
    {"Avery Business Card 8373 Glossy Photo Quality (Letter Size Paper)", Letter, 2.0f, 3.5f, 4, 0.75f, 0.55f, 4.0f, 2.496f},
    {"Avery Business Card 3612 (Letter Size Paper)", Letter, 2.0f, 3.5f, 4, 0.75f, 0.55f, 4.0f, 2.496f},
    {"MAACO ML-8550 (Letter Size Paper)", Letter, 2.0f, 3.5f, 5, 0.5f, 0.75f, 3.5f, 2.0f},
    {"APLI 1612 (A4 Size Paper)", A4, 2.0f, 3.54f, 5, 0.85f, 0.59f, 3.54f, 2.0f},
    {"APLI 1620 (A4 Size Paper)", A4, 2.01f, 3.5f, 5, 0.85f, 0.63f, 3.5f, 2.01f},
    {"Formtec LS-3510 (A4 Size Paper)", A4, 1.77f, 3.48f, 5, 0.83f, 0.49f, 3.88f, 2.04f},
    {"Herma 8840 (A4 Size Paper)", A4, 2.0f, 3.3f, 5, 0.85f, 0.73f, 3.5f, 2.0f},
    {"Avery Business Card 5881 Color Laser (Letter Size Paper)", Letter, 2.0f, 3.5f, 4, 0.75f, 0.55f, 4.0f, 2.496f},
    {"Avery Business Card 8471 Ink Jet (Letter Size Paper)", Letter, 2.0f, 3.5f, 5, 0.5f, 0.75f, 3.5f, 2.0f},
    {"Avery Business Card 8571 Ink Jet (Letter Size Paper)", Letter, 2.0f, 3.5f, 5, 0.5f, 0.75f, 3.5f, 2.0f},
    {"Avery Business Card 8476 Ink Jet (Letter Size Paper)", Letter, 2.0f, 3.5f, 5, 0.5f, 0.75f, 3.5f, 2.0f},
    {"Avery Business Card 8871 Clean Edge Ink Jet (Letter Size Paper)", Letter, 2.0f, 3.5f, 5, 0.5f, 0.75f, 3.5f, 2.0f},
}};

// Stock indices in the order the drop-down lists them: by product number,
// the Avery Letter stocks first.
constexpr std::array<int, Count> DisplayOrder = {
    15, 0, 1, 2, 3, 21, 4, 5, 6, 14, 7, 8, 22, 23, 24, 25, 9, 10, 11, 12, 13, 16, 17, 18, 19, 20,
};

} // namespace

const Stock &At(int index)
{
    return Table.at(static_cast<std::size_t>(index));
}

QStringList LayoutNames()
{
    QStringList names;
    for (const Stock &stock : Table)
        names << QString::fromUtf8(stock.Name);
    return names;
}

QStringList DisplayNames()
{
    QStringList names;
    for (int index : DisplayOrder)
        names << QString::fromUtf8(Table[static_cast<std::size_t>(index)].Name);
    return names;
}

int LayoutToDisplay(int index)
{
    const QStringList layoutNames = LayoutNames();
    if (index < 0 || index >= layoutNames.size())
        return 1;
    const int position = DisplayNames().indexOf(layoutNames.at(index));
    return position < 0 ? 1 : position;
}

int DisplayToLayout(int position)
{
    const QStringList displayNames = DisplayNames();
    if (position < 0 || position >= displayNames.size())
        return 0;
    const int index = LayoutNames().indexOf(displayNames.at(position));
    return index < 0 ? 0 : index;
}

void ApplyTo(int index, SheetLayout &layout)
{
    const Stock &stock = At(index);
    layout.Height = stock.Height;
    layout.Width = stock.Width;
    layout.Across = Stock::Across;
    layout.Down = stock.Down;
    layout.TopMargin = stock.TopMargin;
    layout.LeftMargin = stock.LeftMargin;
    layout.HPitch = stock.HPitch;
    layout.VPitch = stock.VPitch;
    layout.Papersize = stock.Papersize;
}

} // namespace PredefinedStock
