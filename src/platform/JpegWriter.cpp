#include "platform/JpegWriter.h"

#include <QImage>
#include <QSaveFile>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include <jpeglib.h>

namespace JpegWriter {
namespace {

// libjpeg reports fatal errors through a callback that must not return; a
// long jump back to Write() turns them into a false result.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    // Written by libjpeg after setjmp, so kept out of the jumping frame.
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
};

void onFatalError(j_common_ptr info)
{
    auto *manager = reinterpret_cast<ErrorManager *>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

void onMessage(j_common_ptr, int) {} // warnings are not worth a box

// Encodes into memory so that the file is written in one go.
bool encode(const QImage &rgb, int quality, std::vector<unsigned char> &out, QString *error)
{
    jpeg_compress_struct info {};
    const auto manager = std::make_unique<ErrorManager>();
    info.err = jpeg_std_error(&manager->base);
    manager->base.error_exit = onFatalError;
    manager->base.emit_message = onMessage;
    if (setjmp(manager->jump)) {
        jpeg_destroy_compress(&info);
        std::free(manager->buffer);
        if (error)
            *error = QString::fromLocal8Bit(manager->message);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &manager->buffer, &manager->size);
    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.dct_method = JDCT_ISLOW;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    out.assign(manager->buffer, manager->buffer + manager->size);
    std::free(manager->buffer);
    return true;
}

} // namespace

bool Write(const QImage &image, const QString &fileName, int quality, QString *error)
{
    if (image.isNull() || image.width() <= 0 || image.height() <= 0) {
        if (error)
            *error = QStringLiteral("There is no picture to write.");
        return false;
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    std::vector<unsigned char> encoded;
    if (!encode(rgb, quality, encoded, error))
        return false;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(reinterpret_cast<const char *>(encoded.data()), qint64(encoded.size()))
            != qint64(encoded.size())
        || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace JpegWriter
