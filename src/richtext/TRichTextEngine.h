#pragma once

#include "richtext/RichTextLayout.h"
#include "richtext/TRichText.h"

#include <QColor>
#include <QObject>

#include <memory>

class QPainter;
class QTextDocument;

// The renderer every rich-text object of a window paints through: it takes
// a copy of an object's document, a page size in twips with margins, a zoom
// percentage and word wrap, and paints the first page into a rectangle.
//
// One instance per window, named MasterName, serves all the window's
// rich-text objects in turn; `FindMaster` finds it from any object.
class TRichTextEngine : public QObject
{
    Q_OBJECT
public:
    static constexpr const char *MasterName = "MASTERWPRICHTEXT";

    explicit TRichTextEngine(QObject *owner = nullptr);
    ~TRichTextEngine() override;

    // Makes a master engine for `window` (a window, or the top object that
    // owns a card's objects when there is no window).
    static TRichTextEngine *CreateMaster(QObject *window);
    // The master engine of the first window among `object`'s owners (the
    // topmost owner when none is a window); null when that has none.
    static TRichTextEngine *FindMaster(const QObject *object);

    void SetDocument(const TRichText &text);
    const TRichText &Document() const { return m_text; }

    QColor BackgroundColor() const { return m_background; }
    void SetBackgroundColor(const QColor &color) { m_background = color; }
    int Zoom() const { return m_page.zoomPercent; }
    void SetZoom(int percent) { m_page.zoomPercent = percent; }
    int PageWidth() const { return m_page.widthTwips; }
    int PageHeight() const { return m_page.heightTwips; }
    void SetPageSize(int widthTwips, int heightTwips);
    void SetMargins(const QMargins &twips) { m_page.marginsTwips = twips; }
    bool WordWrap() const { return m_page.wordWrap; }
    void SetWordWrap(bool on) { m_page.wordWrap = on; }
    // Pixels per inch of the target at 100 percent (the screen's by default).
    void SetPixelsPerInch(int ppi) { m_page.pixelsPerInch = ppi; }

    // Paints the first page of the document at (target.topLeft()), clipped to `target`.
    void PaintFirstPage(QPainter &painter, const QRect &target);

private:
    TRichText m_text;
    std::shared_ptr<QTextDocument> m_document;
    QColor m_background = Qt::white;
    RichTextLayout::Page m_page;
};
