// qpdf 11 warns unless told which stage of its move to std::shared_ptr the
// code is written for; this file uses std::shared_ptr alone.
#define POINTERHOLDER_TRANSITION 4

#include "report/PdfPageBoxes.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>
#include <memory>

namespace PdfPageBoxes {

namespace {

// A box measured from the top of a page whose media box is `media`.
QPDFObjectHandle boxArray(const QRectF &box, const QPDFObjectHandle::Rectangle &media)
{
    const double left = media.llx + box.left();
    const double top = media.ury - box.top();
    return QPDFObjectHandle::newFromRectangle(
        QPDFObjectHandle::Rectangle(left, top - box.height(), left + box.width(), top));
}

bool fail(QString *error, const QString &fileName, const QString &why)
{
    if (error)
        *error = QStringLiteral("Unable to finish the PDF file %1: %2").arg(QDir::toNativeSeparators(fileName), why);
    return false;
}

} // namespace

bool SetBoxes(const QString &source, const QString &target, const QRectF &trimBox, const QRectF &bleedBox,
              QString *error)
{
    QFile input(source);
    if (!input.open(QIODevice::ReadOnly))
        return fail(error, target, input.errorString());
    // qpdf reads objects from this buffer lazily, up to and during write():
    // it and the description must outlive the writer.
    const QByteArray original = input.readAll();
    input.close();
    const QByteArray description = QFile::encodeName(source);
    std::shared_ptr<Buffer> rewritten;
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processMemoryFile(description.constData(), original.constData(), size_t(original.size()));
        for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(pdf).getAllPages()) {
            QPDFObjectHandle dictionary = page.getObjectHandle();
            const QPDFObjectHandle::Rectangle media = page.getMediaBox().getArrayAsRectangle();
            dictionary.replaceKey("/TrimBox", boxArray(trimBox, media));
            dictionary.replaceKey("/BleedBox", boxArray(bleedBox, media));
        }
        QPDFWriter writer(pdf);
        writer.setOutputMemory();
        writer.setStaticID(false);
        writer.write();
        rewritten = writer.getBufferSharedPointer();
    } catch (const std::exception &e) {
        return fail(error, target, QString::fromLocal8Bit(e.what()));
    }
    QSaveFile output(target);
    if (!output.open(QIODevice::WriteOnly))
        return fail(error, target, output.errorString());
    output.write(reinterpret_cast<const char *>(rewritten->getBuffer()), qint64(rewritten->getSize()));
    if (!output.commit())
        return fail(error, target, output.errorString());
    return true;
}

} // namespace PdfPageBoxes
