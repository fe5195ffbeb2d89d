#pragma once

#include "design/TGGraphicControl.h"
#include "objects/TGBaseLabel.h"
#include "platform/Colors.h"
#include "richtext/TRichText.h"

#include <QPicture>

class QPainter;
class TRichTextEngine;

// A box of formatted text (several fonts, sizes, colours, alignments). The
// object stores only the document as RTF and how the box looks; the
// window's master rich-text engine lays it out and paints it, loading the
// object's document before every drawing.
class TGPRichBaseLabel : public TGGraphicControl
{
    Q_OBJECT
public:
    explicit TGPRichBaseLabel(QObject *owner = nullptr);

    static const TPropertyList &properties();
    const TPropertyList &StoredProperties() const override { return properties(); }

    const TRichText &RTFText() const { return m_text; }
    // Copies the document in, invalidates and reports a change.
    void SetRTFText(const TRichText &text);
    // The document with its fields filled (design/CardMerge).
    TRichText ShownText() const;
    QStringList FieldNames() const override;
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);
    TColor BGColor() const { return m_bgColor; }
    void SetBGColor(TColor value);

    // The master engine found by Loaded; null when the window has none.
    TRichTextEngine *MasterEngine() const { return m_master; }

    // Draws the box with (0, 0) at its top-left corner.
    void PaintTo(QPainter &painter);
    // A recording of PaintTo over Width x Height; text stays text in it.
    QPicture MakeMetafile();
    // The page the engine lays the text out on: the unzoomed size in twips.
    QSize PageSizeTwips() const;

    // Opens the "Rich Text Editor"; on Ok the document takes the edited text.
    void EditRichText();

    void Loaded() override;
    void Paint(TCanvas &canvas) override;
    void RefreshPopup() override;
    void PrintTo(TReport &report, double left, double top) override;

protected:
    void BuildMenu() override;

private:
    void AppendMenuItems();
    void ChooseBackgroundColor();

    TRichText m_text;
    TBorderStyle m_borderStyle = bsSingle;
    bool m_transparent = true;
    TColor m_bgColor = clWhite;
    TRichTextEngine *m_master = nullptr;
    QAction *m_transparentItem = nullptr;
    QAction *m_borderItem = nullptr;
};
