#include "design/TGBusinessCardPanel32.h"
#include "objects/TGBusinessCardLabel.h"
#include "objects/TGPCircleText.h"
#include "platform/PrintFonts.h"
#include "platform/Fonts.h"
#include "platform/ScreenMetrics.h"
#include "print/CardImageExport.h"
#include "report/PdfTarget.h"
#include "report/TReport.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>

// Printed text is set like type: each word as wide as the typeface makes it
// at that size (not the screen's whole-pixel letters scaled up), and each
// line keeping the point it is aligned by where the screen has it.
namespace {

const QString Caption = QStringLiteral("Northwind Landscape Architecture");
constexpr double CardLeft = 1.0, CardTop = 1.0; // inches on the page
constexpr int LabelLeft = 20, LabelPitch = 40, LabelWidth = 560;

struct Sample {
    QString family;
    int points;
    TAlignment alignment;
    TGBusinessCardLabel *label = nullptr;
};

// Nine labels: three fonts at three sizes, alignments taking turns.
QList<Sample> addSamples(TGBusinessCardPanel32 &panel)
{
    QList<Sample> samples;
    const TAlignment alignments[] = {taLeftJustify, taCenter, taRightJustify};
    int i = 0;
    for (const char *family : {"Liberation Sans", "Liberation Serif", "DejaVu Sans"}) {
        for (int points : {9, 12, 18}) {
            Sample s{QString::fromLatin1(family), points, alignments[i % 3]};
            s.label = new TGBusinessCardLabel(&panel);
            panel.AddObject(s.label);
            TFont font;
            font.name = s.family;
            font.setSize(points, 96);
            font.color = clBlack;
            s.label->SetFont(font);
            s.label->SetCaption(Caption);
            s.label->SetAlignment(s.alignment);
            s.label->SetBounds(LabelLeft, 10 + i * LabelPitch, LabelWidth, 30);
            s.label->RecalcLayout();
            samples << s;
            ++i;
        }
    }
    panel.resize(LabelLeft * 2 + LabelWidth, 10 + i * LabelPitch);
    return samples;
}

// The typeface's own advance of `text` at `points`, in points: measured
// unhinted at a large size and scaled down.
double designWidth(const QString &family, int points, const QString &text)
{
    QFont font(family);
    font.setPixelSize(2048);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return QFontMetricsF(font).horizontalAdvance(text) * points / 2048.0;
}

// Left and right ends of the letters' ink of `text`, from its start, in points.
QPair<double, double> designInk(const QString &family, int points, const QString &text)
{
    QFont font(family);
    font.setPixelSize(2048);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF ink = path.boundingRect();
    return {ink.left() * points / 2048.0, ink.right() * points / 2048.0};
}

// Where the screen layout puts the line's alignment point, in points on the page.
double screenAlignmentPoint(const Sample &s)
{
    const double left = CardLeft * 72 + (s.label->Left() + s.label->MainOrigin().x()) * 0.75;
    const double width = Fonts::textExtent(s.label->Font(), 96, Caption).width() * 0.75;
    switch (s.alignment) {
    case taCenter: return left + width / 2;
    case taRightJustify: return left + width;
    default: return left;
    }
}

double fraction(TAlignment alignment)
{
    return alignment == taCenter ? 0.5 : alignment == taRightJustify ? 1.0 : 0.0;
}

struct Word {
    QString text;
    double xMin, yMin, xMax;
};

QList<Word> pdfWords(const QString &pdf)
{
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!tool.waitForFinished(60000))
        return {};
    const QString html = QString::fromUtf8(tool.readAllStandardOutput());
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re"));
    QList<Word> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        words << Word{m.captured(4), m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble()};
    }
    return words;
}

} // namespace

class TestPrintedText : public QObject
{
    Q_OBJECT
private slots:
    void init() { ScreenMetrics::setOverride(96); }
    void pdfWordsHaveTheTypefacesWidthsAndScreenAlignment();
    void imageInkHasTheTypefacesWidthsAndScreenAlignment();
    void circularLettersAreCentredOnTheirAnchors();
};

void TestPrintedText::pdfWordsHaveTheTypefacesWidthsAndScreenAlignment()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    TGBusinessCardPanel32 panel;
    const QList<Sample> samples = addSamples(panel);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("labels.pdf"));
    TReport job(std::make_unique<PdfTarget>(pdf, 600));
    job.onPrint = [&panel](TReport &j) { panel.PrintAll(j, CardLeft, CardTop); };
    QVERIFY(job.run());

    QList<Word> words = pdfWords(pdf);
    const QStringList expected = Caption.split(QLatin1Char(' '));
    QCOMPARE(words.size(), samples.size() * expected.size());
    std::stable_sort(words.begin(), words.end(), [](const Word &a, const Word &b) { return a.yMin < b.yMin - 2; });
    for (int i = 0; i < samples.size(); ++i) {
        const Sample &s = samples.at(i);
        const QString name = QStringLiteral("%1 %2 pt").arg(s.family).arg(s.points);
        const QList<Word> line = words.mid(i * expected.size(), expected.size());
        for (int w = 0; w < expected.size(); ++w) {
            QCOMPARE(line.at(w).text, expected.at(w));
            const double width = line.at(w).xMax - line.at(w).xMin;
            const double own = designWidth(s.family, s.points, expected.at(w));
            QVERIFY2(std::abs(width - own) <= 0.02 * own,
                     qPrintable(QStringLiteral("%1: \"%2\" is %3 pt wide, the typeface sets it %4 pt")
                                    .arg(name, expected.at(w)).arg(width).arg(own)));
        }
        const double start = line.first().xMin, end = line.last().xMax;
        const double point = start + fraction(s.alignment) * (end - start);
        QVERIFY2(std::abs(point - screenAlignmentPoint(s)) <= 0.5,
                 qPrintable(QStringLiteral("%1: aligned at %2 pt, the screen has %3 pt")
                                .arg(name).arg(point).arg(screenAlignmentPoint(s))));
    }

    // Text stays text, in the fonts embedded (Qt writes subsets without
    // naming them as such, so pdffonts cannot tell).
    if (QStandardPaths::findExecutable(QStringLiteral("pdffonts")).isEmpty())
        return;
    QProcess fonts;
    fonts.start(QStringLiteral("pdffonts"), {pdf});
    QVERIFY(fonts.waitForFinished(60000));
    const QString table = QString::fromUtf8(fonts.readAllStandardOutput());
    for (const char *embedded : {"LiberationSans", "LiberationSerif", "DejaVuSans"}) {
        const QRegularExpression row(QStringLiteral("(^|\\n)(\\w{6}\\+)?%1\\s.*\\byes\\s+(yes|no)\\s+yes\\b")
                                         .arg(QRegularExpression::escape(QString::fromLatin1(embedded))));
        QVERIFY2(row.match(table).hasMatch(), qPrintable(table));
    }
}

void TestPrintedText::imageInkHasTheTypefacesWidthsAndScreenAlignment()
{
    constexpr int Dpi = 600;
    TGBusinessCardPanel32 panel;
    const QList<Sample> samples = addSamples(panel);
    const PrintShopExport::Card card{&panel, QSizeF(panel.width() / 96.0, panel.height() / 96.0), QString()};
    const QImage image = CardImageExport::Render(card, Dpi).convertToFormat(QImage::Format_RGB32);
    QVERIFY(!image.isNull());
    const double pixelsPerPoint = Dpi / 72.0;
    for (const Sample &s : samples) {
        const QString name = QStringLiteral("%1 %2 pt").arg(s.family).arg(s.points);
        // The ink of the label's band, in points from the card's left edge.
        const int top = s.label->Top() * Dpi / 96, bottom = (s.label->Top() + s.label->Height()) * Dpi / 96;
        int first = image.width(), last = -1;
        for (int y = top; y < bottom; ++y) {
            const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if (qGray(row[x]) < 128) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
            }
        }
        QVERIFY2(last >= 0, qPrintable(name + ": no ink"));
        const double inkLeft = first / pixelsPerPoint, inkRight = (last + 1) / pixelsPerPoint;

        const double width = designWidth(s.family, s.points, Caption);
        const double start = screenAlignmentPoint(s) - CardLeft * 72 - fraction(s.alignment) * width;
        const auto [ownLeft, ownRight] = designInk(s.family, s.points, Caption);
        const double ownInk = ownRight - ownLeft;
        QVERIFY2(std::abs((inkRight - inkLeft) - ownInk) <= 0.02 * ownInk,
                 qPrintable(QStringLiteral("%1: ink %2 pt wide, the typeface's is %3 pt")
                                .arg(name).arg(inkRight - inkLeft).arg(ownInk)));
        // A quarter point: the box lands on whole device pixels (half a
        // pixel) and an anti-aliased edge may count one pixel more or less.
        constexpr double Tolerance = 0.25;
        QVERIFY2(std::abs(inkLeft - (start + ownLeft)) <= Tolerance && std::abs(inkRight - (start + ownRight)) <= Tolerance,
                 qPrintable(QStringLiteral("%1: ink from %2 to %3 pt, expected %4 to %5 pt")
                                .arg(name).arg(inkLeft).arg(inkRight).arg(start + ownLeft).arg(start + ownRight)));
    }
}

// Each letter of a circular text is set with its own paper advance and
// centred on the anchor the screen layout gives it, so neighbours keep
// their spacing instead of each sliding by its rounding on screen.
void TestPrintedText::circularLettersAreCentredOnTheirAnchors()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    TGBusinessCardPanel32 panel;
    panel.resize(500, 500);
    auto *circle = new TGPCircleText(&panel);
    panel.AddObject(circle);
    TFont font;
    font.name = QStringLiteral("Liberation Sans");
    font.setSize(13, 96);
    font.style = fsBold;
    font.color = clBlack;
    circle->SetFont(font);
    circle->SetCaption(QStringLiteral("ACME * WIDGETS *"));
    circle->SetDrawLettersAngled(false); // upright, so each box is the advance
    circle->SetBounds(20, 20, 400, 400);
    const CircleTextLayout::Result layout = circle->Layout();
    const QStringList letters = CircleTextLayout::splitLetters(circle->Caption());

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("circle.pdf"));
    TReport job(std::make_unique<PdfTarget>(pdf, 600));
    job.onPrint = [&panel](TReport &j) { panel.PrintAll(j, CardLeft, CardTop); };
    QVERIFY(job.run());
    const QList<Word> words = pdfWords(pdf);

    int checked = 0, differing = 0;
    for (const CircleTextLayout::Letter &l : layout.letters) {
        const QString letter = letters.at(l.letter);
        if (letter.trimmed().isEmpty() || !l.inside)
            continue;
        // The screen centres the letter's whole-pixel cell on the anchor,
        // its left edge rounded down: paper keeps that cell's centre.
        const int cell = Fonts::textExtent(font, 96, letter).width();
        const double anchor = CardLeft * 72 + (circle->Left() + l.at.x() - cell / 2 + cell / 2.0) * 0.75;
        const Word *nearest = nullptr;
        for (const Word &w : words) {
            if (w.text == letter
                && (!nearest || std::abs((w.xMin + w.xMax) / 2 - anchor) < std::abs((nearest->xMin + nearest->xMax) / 2 - anchor)))
                nearest = &w;
        }
        QVERIFY2(nearest, qPrintable(letter + QStringLiteral(" is missing")));
        const double centre = (nearest->xMin + nearest->xMax) / 2;
        QVERIFY2(std::abs(centre - anchor) <= 0.05,
                 qPrintable(QStringLiteral("%1 centred at %2 pt, its anchor is at %3 pt").arg(letter).arg(centre).arg(anchor)));
        ++checked;
        if (std::abs(Fonts::textExtent(font, 96, letter).width() - Fonts::printTextWidth(font, 96, letter)) >= 0.2)
            ++differing;
    }
    QCOMPARE(checked, 13);
    // Letters whose screen width is rounded away from the paper one: these
    // would sit off their anchors if they were centred on the screen width.
    QVERIFY(differing >= 3);
}

QTEST_MAIN(TestPrintedText)
#include "tst_printedtext.moc"
