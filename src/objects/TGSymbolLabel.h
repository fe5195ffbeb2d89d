#pragma once

#include "objects/TGBaseLabel.h"

// One character of a symbol font (Wingdings by default) shown like a
// picture, with the text label's shadow, highlight, background and border.
// From 10 points up the box always keeps the size of the glyph plus its
// effects; resizing it by hand snaps back. The card-wide font command
// leaves symbols alone.
class TGSymbolLabel : public TGBaseLabel
{
    Q_OBJECT
public:
    explicit TGSymbolLabel(QObject *owner = nullptr);

    static const TPropertyList &properties() { return TGBaseLabel::properties(); }
    const TPropertyList &StoredProperties() const override { return properties(); }

    // "Symbol Selector": on "Ok" the font and the character chosen there.
    void ChooseSymbol();

    void Loaded() override;
    void BoundsChanged() override;
    void ApplyFont(const TFont &font) override;

protected:
    void BuildMenu() override;
    // A symbol is never aligned (its menu has no "Alignment"): it fits its box
    // to the glyph, and an alignment read from a document would move the
    // glyph within the box, so that every fit made the box larger.
    TAlignment LayoutAlignment() const override { return taLeftJustify; }
};
