#pragma once

#include "design/TGGraphicControl.h"
#include "objects/TGBaseLabel.h"
#include "platform/Fonts.h"

#include <QList>
#include <QPicture>
#include <QStringList>

class QAction;
class QPainter;
class TCanvas;

// Several lines of text in one font, each aligned left, right or centred in
// the box, optionally wrapped to the box width the way a multi-line edit
// control wraps. No background is ever filled. An empty label shows (and
// prints) "<blank>" so that it can still be found and selected.
class TGMultiLineBaseLabel : public TGGraphicControl
{
    Q_OBJECT
public:
    explicit TGMultiLineBaseLabel(QObject *owner = nullptr);

    static const TPropertyList &properties();
    const TPropertyList &StoredProperties() const override { return properties(); }

    const QStringList &Items() const { return m_items; }
    void SetItems(const QStringList &value);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value) { m_autoSize = value; }
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    const TFont &Font() const { return m_font; }
    void SetFont(const TFont &value);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value);

    // The visual lines of the last Rewrap.
    const QStringList &WrappedLines() const { return m_wrapped; }
    // The lines PaintTo draws, "<blank>" rules applied.
    QStringList ShownLines() const;
    // The font at the object's zoom: Trunc(size x zoom) points.
    TFont ZoomedFont() const;

    // Wraps Items at Width as the edit control does (only when WordWrap).
    // Setting the items or the font, and a new size, wrap again.
    void Rewrap();
    // Height to the lines, width at least the widest line.
    void FitLines();
    void PaintTo(TCanvas &canvas);
    QPicture MakeMetafile(bool printText = false);
    // "Font": the font dialog; then Rewrap when WordWrap, accepted or not.
    void ChooseFont();

    void Loaded() override;
    void Paint(TCanvas &canvas) override;
    void BoundsChanged() override;
    void RefreshPopup() override;
    void ApplyFont(const TFont &font) override;
    void PrintTo(TReport &report, double left, double top) override;
    QList<QRectF> TextRuns() override;
    QString TextForMessages() const override { return ShownLines().join(QLatin1Char(' ')); }
    QStringList FieldNames() const override;
    void FieldsChanged() override;
    // The items with their fields filled (design/CardMerge).
    QStringList ShownItems() const;

protected:
    void BuildMenu() override;

private:
    // The rest of the word that wrapped line `line` ends inside of.
    QString RestOfBrokenWord(int line) const;

    QStringList m_items;
    bool m_autoSize = false;
    TAlignment m_alignment = taLeftJustify;
    TFont m_font;
    bool m_wordWrap = false;

    QStringList m_wrapped;
    QList<bool> m_brokenInWord; // for each wrapped line
    QList<QAction *> m_alignmentItems;
};
