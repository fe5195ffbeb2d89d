#pragma once

// Reading back print-shop PDF files with the poppler tools: page size and
// page boxes (pdfinfo -box), fonts (pdffonts) and a rendering (pdftoppm).

#include <QImage>
#include <QMap>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

namespace PrintShopTest {

inline bool popplerInstalled()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()
           && !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()
           && !QStandardPaths::findExecutable(QStringLiteral("pdffonts")).isEmpty();
}

inline QString runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000))
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct PdfInfo {
    QSizeF pagePoints;
    QMap<QString, QRectF> boxes; // "MediaBox", "TrimBox", ...: x1, y1 to x2, y2 in points
};

inline PdfInfo pdfInfo(const QString &pdf)
{
    PdfInfo info;
    const QString text = runTool(QStringLiteral("pdfinfo"), {QStringLiteral("-box"), pdf});
    const QRegularExpression size(QStringLiteral(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)"));
    const QRegularExpressionMatch m = size.match(text);
    if (m.hasMatch())
        info.pagePoints = QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
    const QRegularExpression box(QStringLiteral(R"((\w+Box):\s+([-\d.]+)\s+([-\d.]+)\s+([-\d.]+)\s+([-\d.]+))"));
    for (auto it = box.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch b = it.next();
        const double x1 = b.captured(2).toDouble(), y1 = b.captured(3).toDouble();
        info.boxes.insert(b.captured(1), QRectF(QPointF(x1, y1), QPointF(b.captured(4).toDouble(),
                                                                          b.captured(5).toDouble())));
    }
    return info;
}

// The first page at `dpi`, as RGB.
inline QImage renderPdf(const QString &pdf, int dpi)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    runTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                                         QStringLiteral("-singlefile"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// The "emb" column of every font the PDF uses.
inline QStringList fontEmbedding(const QString &pdf)
{
    QStringList embedded;
    const QStringList lines = runTool(QStringLiteral("pdffonts"), {pdf}).split(u'\n', Qt::SkipEmptyParts);
    // Two header lines; then name, type, encoding, emb, sub, uni, object, generation.
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QStringList columns = lines.at(i).split(u' ', Qt::SkipEmptyParts);
        if (columns.size() >= 6)
            embedded << columns.at(columns.size() - 5);
    }
    return embedded;
}

inline bool near(QRgb pixel, QColor expected, int tolerance = 40)
{
    return qAbs(qRed(pixel) - expected.red()) <= tolerance && qAbs(qGreen(pixel) - expected.green()) <= tolerance
           && qAbs(qBlue(pixel) - expected.blue()) <= tolerance;
}

} // namespace PrintShopTest
