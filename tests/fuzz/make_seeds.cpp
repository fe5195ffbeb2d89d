// Writes the generated seeds: for the stream target one card document per
// registered class, with every stored property away from its default, and
// one with an object of each class; for the picture target small bitmaps of
// every depth, RLE, JPEG, icons, stored pictures and textures (each behind
// the byte that picks its reader); for the metafile target the hand-built
// test metafiles. Run by hand when classes or properties change:
//   fuzz_make_seeds tests/fuzz/corpus
// The output is committed.

#include "FuzzSupport.h"
#include "support/MetafileSamples.h"
#include "support/ModernPictures.h"
#include "support/PictureSamples.h"

#include "design/ComponentStreamer.h"
#include "design/Properties.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TGGraphicControl.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QtEndian>

#include <cstdio>

namespace {

QByteArray shortString(const QByteArray &text)
{
    return char(text.size()) + text;
}

QByteArray bitmapStream()
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    char length[4];
    qToLittleEndian<qint32>(qint32(bmp.size()), length);
    return QByteArray(length, 4) + bmp;
}

QVariant otherValue(const TPropertyDecl &d, const QVariant &current, int salt)
{
    switch (d.type) {
    case TPropertyType::Integer: return current.toInt() + 3 + salt;
    case TPropertyType::Boolean: return !current.toBool();
    case TPropertyType::String: return QStringLiteral("Seed %1 \u00e9").arg(salt);
    case TPropertyType::Enum:
        return d.identifiers.isEmpty() ? current : QVariant((current.toInt() + 1) % d.identifiers.size());
    case TPropertyType::Set: return current.toUInt() ^ 1u;
    case TPropertyType::Color: return salt % 2 ? int(clRed) : 0x00102030 + salt;
    case TPropertyType::Charset: return current.toInt() == 0 ? 2 : 0;
    case TPropertyType::Float: return current.toDouble() + 0.25;
    case TPropertyType::Picture: return shortString("TBitmap") + bitmapStream();
    case TPropertyType::Bitmap: return bitmapStream();
    case TPropertyType::Strings: return QStringList{QStringLiteral("one"), QStringLiteral("two %1").arg(salt)};
    }
    return current;
}

TGGraphicControl *make(TGBusinessCardPanel32 &panel, const QString &className, int salt, bool changed)
{
    TGGraphicControl *object = TGClassRegistry::find(className)->create(&panel);
    panel.AddObject(object);
    object->SetName(panel.UniqueName(QStringLiteral("Special"), 1));
    object->SetBounds(QRect(10 + salt, 10 + salt, 120, 40));
    if (changed) {
        for (const TPropertyDecl &d : object->StoredProperties()) {
            if (!d.set || !d.get || d.name == QLatin1String("Name"))
                continue;
            d.set(*object, otherValue(d, d.get(*object), salt));
        }
        object->SetBounds(QRect(10 + salt, 10 + salt, 120, 40));
    }
    object->Loaded();
    return object;
}

void save(const QString &folder, const QString &name, const QByteArray &bytes)
{
    QFile file(folder + QLatin1Char('/') + name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
}

void pictureSeeds(const QString &folder)
{
    using namespace PictureSamples;
    const QImage small = pattern(6, 5);
    auto seed = [&](const QString &name, char reader, const QByteArray &bytes) {
        save(folder, name, QByteArray(1, reader) + bytes);
    };
    for (int bits : {1, 4, 8, 16, 24, 32})
        seed(QStringLiteral("bitmap%1.bin").arg(bits), 0, bitmapFile(small, bits));
    seed(QStringLiteral("rle8.bin"), 0, rleBitmapFile(small, 8));
    seed(QStringLiteral("rle4.bin"), 0, rleBitmapFile(small, 4));
    seed(QStringLiteral("jpeg.bin"), 1, jpegFile(pattern(16, 8)));
    seed(QStringLiteral("icon.bin"), 2, iconFile({pattern(4, 4), pattern(8, 8)}));
    seed(QStringLiteral("stored-bitmap.bin"), 3, shortString("TBitmap") + bitmapStream());
    const QByteArray wmf = MetafileSamples::wmfShapesSample();
    QByteArray metafileStream(4, '\0');
    qToLittleEndian<qint32>(qint32(4 + wmf.size()), metafileStream.data());
    seed(QStringLiteral("stored-metafile.bin"), 3, shortString("TMetafile") + metafileStream + wmf);
    seed(QStringLiteral("texture.bin"), 4, bitmapStream());

    // The files kept as they are: PNG of several colour types, TIFF, WebP,
    // SVG with a gradient, text and an inline image, and SVGZ.
    const QImage logo = ModernPictures::halfTransparent(6, 4);
    seed(QStringLiteral("png-rgba.bin"), 5, ModernPictures::pngFile(logo, 6, 8));
    seed(QStringLiteral("png-palette-interlaced.bin"), 5, ModernPictures::pngFile(logo, 3, 4, true));
    seed(QStringLiteral("png-grey16.bin"), 5, ModernPictures::pngFile(logo, 4, 16));
    seed(QStringLiteral("tiff.bin"), 5, ModernPictures::writtenFile(logo, "tiff"));
    seed(QStringLiteral("webp.bin"), 5, ModernPictures::writtenFile(logo, "webp"));
    const QByteArray svg = ModernPictures::svgFile(
        12, 8,
        "<defs><linearGradient id=\"g\"><stop offset=\"0\" stop-color=\"blue\"/>"
        "<stop offset=\"1\" stop-color=\"white\" stop-opacity=\"0.5\"/></linearGradient></defs>\n"
        "<circle cx=\"9\" cy=\"4\" r=\"3\" fill=\"url(#g)\" stroke=\"black\"/>\n"
        "<text x=\"1\" y=\"7\" font-size=\"4\">Kv</text>\n"
        "<use xlink:href=\"#g\"/><image width=\"2\" height=\"2\" xlink:href=\"data:image/png;base64,"
        + ModernPictures::pngFile(logo, 2, 8).toBase64() + "\"/>\n");
    seed(QStringLiteral("svg.bin"), 6, svg);
    seed(QStringLiteral("svgz.bin"), 6, ModernPictures::gzip(svg));
    seed(QStringLiteral("stored-png.bin"), 3, shortString("TPngImage") + ModernPictures::pngFile(logo, 6, 8));
    seed(QStringLiteral("stored-svg.bin"), 3, shortString("TSvgImage") + svg);
}

void metafileSeeds(const QString &folder)
{
    save(folder, QStringLiteral("mapping.emf"), MetafileSamples::emfMappingSample());
    save(folder, QStringLiteral("saverestore.emf"), MetafileSamples::emfSaveRestoreSample());
    save(folder, QStringLiteral("text.emf"), MetafileSamples::emfTextSample());
    save(folder, QStringLiteral("shapes.wmf"), MetafileSamples::wmfShapesSample());
    save(folder, QStringLiteral("bitmap.emf"), MetafileSamples::emfWithHostileBitmap());
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS-FOLDER\n", argv[0]);
        return 2;
    }
    FuzzSupport::start();
    const QString root = QString::fromLocal8Bit(argv[1]);
    const QString folder = root + QStringLiteral("/stream");
    for (const char *target : {"stream", "picture", "metafile"})
        QDir().mkpath(root + QLatin1Char('/') + QLatin1String(target));
    pictureSeeds(root + QStringLiteral("/picture"));
    metafileSeeds(root + QStringLiteral("/metafile"));
    TGBusinessCardPanel32 panel;
    panel.resize(336, 192);
    int salt = 0;
    for (const QString &className : TGClassRegistry::classNames()) {
        make(panel, className, ++salt, false);
        save(folder, className + QStringLiteral("-plain.kvl"), ComponentStreamer::WriteContainer(panel.Objects()));
        panel.RemoveAllObjects();
        make(panel, className, ++salt, true);
        save(folder, className + QStringLiteral("-changed.kvl"), ComponentStreamer::WriteContainer(panel.Objects()));
        panel.RemoveAllObjects();
    }
    salt = 0;
    for (const QString &className : TGClassRegistry::classNames())
        make(panel, className, ++salt, false);
    save(folder, QStringLiteral("all-classes.kvl"), ComponentStreamer::WriteContainer(panel.Objects()));
    panel.RemoveAllObjects();
    return 0;
}
