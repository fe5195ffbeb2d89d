#include "design/SystemClipboard.h"

#include "design/stream/ComponentStreamReader.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QUuid>

namespace {

constexpr char kSourceMimeType[] = "application/x-karvello-source";

// Marks this process's clipboard contents (one value for the program's life).
const QByteArray &ownSource()
{
    static const QByteArray source = QUuid::createUuid().toByteArray(QUuid::WithoutBraces);
    return source;
}

QClipboard *clipboard()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

} // namespace

namespace SystemClipboard {

void Publish(const QByteArray &objects, const QImage &picture)
{
    QClipboard *board = clipboard();
    if (!board)
        return;
    auto *data = new QMimeData;
    data->setData(QString::fromLatin1(ObjectsMimeType), objects);
    data->setData(QString::fromLatin1(kSourceMimeType), ownSource());
    if (!picture.isNull()) {
        // PNG keeps the transparency round the objects; image editors and
        // word processors take it.
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "PNG");
        data->setData(QStringLiteral("image/png"), png);
    }
    board->setMimeData(data);
}

const QMimeData *Contents()
{
    QClipboard *board = clipboard();
    return board ? board->mimeData() : nullptr;
}

bool IsOwn(const QMimeData &data)
{
    return data.data(QString::fromLatin1(kSourceMimeType)) == ownSource();
}

QByteArray ForeignObjects(const QMimeData &data)
{
    if (IsOwn(data) || !data.hasFormat(QString::fromLatin1(ObjectsMimeType)))
        return {};
    QByteArray objects = data.data(QString::fromLatin1(ObjectsMimeType));
    if (objects.size() > ComponentStreamReader::kMaxDocumentBytes)
        return {};
    return objects;
}

bool HasForeignContent()
{
    const QMimeData *data = Contents();
    if (!data || IsOwn(*data))
        return false;
    return data->hasFormat(QString::fromLatin1(ObjectsMimeType)) || data->hasImage()
        || !data->text().trimmed().isEmpty();
}

} // namespace SystemClipboard
