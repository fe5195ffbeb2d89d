#include "richtext/TRichTextEngine.h"

#include "platform/ScreenMetrics.h"

#include <QTextDocument>
#include <QWidget>

TRichTextEngine::TRichTextEngine(QObject *owner) : QObject(owner)
{
    m_page.pixelsPerInch = ScreenMetrics::pixelsPerInch();
}

TRichTextEngine::~TRichTextEngine() = default;

TRichTextEngine *TRichTextEngine::CreateMaster(QObject *window)
{
    auto *engine = new TRichTextEngine(window);
    engine->setObjectName(QString::fromLatin1(MasterName));
    return engine;
}

TRichTextEngine *TRichTextEngine::FindMaster(const QObject *object)
{
    const QObject *form = object;
    for (const QObject *o = object; o; o = o->parent()) {
        form = o;
        if (o->isWidgetType() && static_cast<const QWidget *>(o)->isWindow())
            break;
    }
    if (!form)
        return nullptr;
    const QString wanted = QString::fromLatin1(MasterName);
    for (TRichTextEngine *engine : form->findChildren<TRichTextEngine *>()) {
        if (engine->objectName().toUpper() == wanted)
            return engine;
    }
    return nullptr;
}

void TRichTextEngine::SetDocument(const TRichText &text)
{
    if (m_document && text == m_text)
        return;
    m_text = text;
    m_document = text.Parsed();
}

void TRichTextEngine::SetPageSize(int widthTwips, int heightTwips)
{
    m_page.widthTwips = widthTwips;
    m_page.heightTwips = heightTwips;
}

void TRichTextEngine::PaintFirstPage(QPainter &painter, const QRect &target)
{
    if (!m_document)
        m_document = m_text.Parsed();
    RichTextLayout::paintFirstPage(*m_document, painter, target, m_page);
}
