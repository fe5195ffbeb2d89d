// Rich text as card documents and files bring it: the RTF reader, the
// twips layout and painting, and the writer, whose output must read back
// to the same text.

#include "FuzzSupport.h"

#include "richtext/RichTextLayout.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QImage>
#include <QPainter>
#include <QTextDocument>

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::start();
    const QByteArray input = FuzzSupport::bytes(data, size);
    QTextDocument document;
    RichTextLayout::prepareDocument(document);
    RtfReader::read(input, document);
    // The editor writes the document as read; painting changes its copy.
    const std::unique_ptr<QTextDocument> asRead(document.clone());
    RtfReader::setDefaultTabTwips(*asRead, RtfReader::defaultTabTwips(document));
    RichTextLayout::toTwipsLayout(document);

    static QImage image(200, 120, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        RichTextLayout::Page page;
        page.widthTwips = 3 * 1440;
        page.heightTwips = 2 * 1440;
        page.marginsTwips = QMargins(60, 60, 60, 60);
        RichTextLayout::paintFirstPage(document, painter, image.rect(), page);
    }

    const QByteArray written = RtfWriter::write(*asRead);
    QTextDocument again;
    RichTextLayout::prepareDocument(again);
    const RtfReader::Result result = RtfReader::read(written, again);
    if (!result.isRtf || result.truncated)
        FuzzSupport::fail("the writer's RTF does not read as whole RTF", written);
    if (again.toPlainText() != asRead->toPlainText())
        FuzzSupport::fail("the writer's RTF reads back as other text",
                          asRead->toPlainText().toUtf8() + "\n----\n" + again.toPlainText().toUtf8());
    FuzzSupport::settle();
    return 0;
}
