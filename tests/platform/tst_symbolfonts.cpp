#include "platform/Canvas.h"
#include "platform/ScreenMetrics.h"
#include "platform/SymbolFonts.h"
#include "platform/Windows1252.h"
#include "report/PdfTarget.h"
#include "report/TReport.h"

#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QProcess>
#include <QRawFont>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using SymbolFonts::TSymbolSet;

namespace {

const QString kTelephone = QString::fromUcs4(U"\U0001F57F");

TFont fontNamed(const QString &name, int points = 36)
{
    TFont font;
    font.name = name;
    font.setSize(points, 96);
    font.color = clBlack;
    return font;
}

// The text drawn at (10, 10) on white by the canvas in the given font.
QImage drawn(const TFont &font, const QString &text)
{
    QImage image(120, 90, QImage::Format_RGB32);
    image.fill(Qt::white);
    TCanvas canvas(&image, 96);
    canvas.setFont(font);
    canvas.brush().style = bsClear;
    canvas.textOut(10, 10, text);
    return image;
}

int inkedPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
    return count;
}

QRect inkBounds(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

} // namespace

class TestSymbolFonts : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { ScreenMetrics::setOverride(96); }

    void namesAreComparedWithoutCaseAndSpaces()
    {
        QCOMPARE(SymbolFonts::symbolSet("WingDings"), TSymbolSet::ssWingdings);
        QCOMPARE(SymbolFonts::symbolSet("WINGDINGS  2"), TSymbolSet::ssWingdings2);
        QCOMPARE(SymbolFonts::symbolSet("Wingdings3"), TSymbolSet::ssWingdings3);
        QCOMPARE(SymbolFonts::symbolSet(" webdings"), TSymbolSet::ssWebdings);
        QCOMPARE(SymbolFonts::symbolSet("SYMBOL"), TSymbolSet::ssSymbol);
        QCOMPARE(SymbolFonts::symbolSet("Symbola"), TSymbolSet::ssNone);
        QCOMPARE(SymbolFonts::symbolSet("Wingdings 4"), TSymbolSet::ssNone);
        QCOMPARE(SymbolFonts::symbolSet("Arial"), TSymbolSet::ssNone);
        QCOMPARE(SymbolFonts::windowsFamilies(),
                 QStringList({"Symbol", "Webdings", "Wingdings", "Wingdings 2", "Wingdings 3"}));
        // A font chosen by its Windows name is stored by that name.
        QCOMPARE(Fonts::windowsName("wingdings 2"), QString("Wingdings 2"));
    }

    void everySetHasTheTablesMappings()
    {
        struct Expected {
            TSymbolSet set;
            int mapped;
        };
        // Mapped codes per set, the space included; the rest have no picture.
        for (const Expected &e : {Expected{TSymbolSet::ssWingdings, 222}, {TSymbolSet::ssWingdings2, 217},
                                  {TSymbolSet::ssWingdings3, 208}, {TSymbolSet::ssWebdings, 223},
                                  {TSymbolSet::ssSymbol, 189}}) {
            int mapped = 0;
            for (int code = 0; code < 256; ++code)
                mapped += !SymbolFonts::unicodeFor(e.set, code).isEmpty();
            QCOMPARE(mapped, e.mapped);
            QCOMPARE(SymbolFonts::unicodeFor(e.set, 0x20), QString(" "));
            QVERIFY(SymbolFonts::unicodeFor(e.set, 0x41) != QString("A"));
        }
        QCOMPARE(SymbolFonts::unicodeFor(TSymbolSet::ssWingdings, 0x28), kTelephone);
        // The text-presentation selector is dropped: the outline font is pinned.
        QCOMPARE(SymbolFonts::unicodeFor(TSymbolSet::ssWingdings, 0x24), QString::fromUcs4(U"\U0001F453"));
        QCOMPARE(SymbolFonts::unicodeFor(TSymbolSet::ssWingdings, 0x4A), QString(QChar(0x263A)));
        QCOMPARE(SymbolFonts::unicodeFor(TSymbolSet::ssSymbol, 0x61), QString(QChar(0x03B1)));
        QCOMPARE(SymbolFonts::unicodeFor(TSymbolSet::ssSymbol, 0xB3), QString(QChar(0x2265)));
        QVERIFY(SymbolFonts::unicodeFor(TSymbolSet::ssWingdings, 0xFF).isEmpty());
        QVERIFY(SymbolFonts::unicodeFor(TSymbolSet::ssSymbol, 0x80).isEmpty());
        QVERIFY(SymbolFonts::unicodeFor(TSymbolSet::ssNone, 0x28).isEmpty());
    }

    void captionCharactersKeepTheirByteCodes()
    {
        for (int code = 0; code < 256; ++code) {
            const QChar c = SymbolFonts::characterOf(code);
            QCOMPARE(SymbolFonts::codeOf(c), std::optional<unsigned char>(code));
            // The document writer stores exactly that byte.
            QCOMPARE(Windows1252::encode(QString(c)), std::optional<QByteArray>(QByteArray(1, char(code))));
        }
        QCOMPARE(SymbolFonts::codeOf(QChar(0xF028)), std::optional<unsigned char>(0x28));
        QCOMPARE(SymbolFonts::codeOf(QChar(0x2192)), std::nullopt);
    }

    void displayTextMapsOnlySymbolFonts()
    {
        QCOMPARE(SymbolFonts::displayText("Arial", "(A)"), QString("(A)"));
        QVERIFY(!SymbolFonts::isInstalled(TSymbolSet::ssWingdings));
        QCOMPARE(SymbolFonts::displayText("WingDings", "("), kTelephone);
        QCOMPARE(SymbolFonts::displayText("Wingdings", QString(QChar(0xF028))), kTelephone);
        // 0x80 arrives as the euro sign of the code page: Wingdings' circled zero.
        QCOMPARE(SymbolFonts::displayText("Wingdings", QString(QChar(0x20AC))),
                 QString::fromUcs4(U"\U0001F10B"));
        // No picture, or no code at all: the empty box, never the letter.
        const QString box(SymbolFonts::missingGlyph());
        QCOMPARE(SymbolFonts::displayText("Wingdings", QString(QChar(0xFF))), box);
        QCOMPARE(SymbolFonts::displayText("Wingdings", QString(QChar(0x2192))), box);
        QCOMPARE(SymbolFonts::displayText("Symbol", "a b"), QString::fromUtf8("α β"));
    }

    void theOutlineFontDrawsEveryMappedCode()
    {
        const QStringList outline = SymbolFonts::outlineFamilies();
        QCOMPARE(outline.constFirst(), QString("Symbola"));
        QVERIFY(!outline.join(',').contains("Emoji", Qt::CaseInsensitive));
        const QFont qfont = Fonts::toQFont(fontNamed("Wingdings"), 96);
        QCOMPARE(QFontInfo(qfont).family(), QString("Symbola"));
        const QRawFont raw = QRawFont::fromFont(qfont);
        QVERIFY(raw.supportsCharacter(SymbolFonts::missingGlyph()));
        for (TSymbolSet set : {TSymbolSet::ssSymbol, TSymbolSet::ssWingdings, TSymbolSet::ssWingdings2,
                               TSymbolSet::ssWingdings3, TSymbolSet::ssWebdings}) {
            for (int code = 0x21; code < 256; ++code) {
                const QString text = SymbolFonts::unicodeFor(set, code);
                if (!text.isEmpty())
                    QVERIFY2(raw.supportsCharacter(text.toUcs4().constFirst()),
                             qPrintable(QStringLiteral("%1 %2").arg(SymbolFonts::windowsName(set)).arg(code, 0, 16)));
            }
        }
    }

    void aWingdingsTelephoneDrawsAsSymbolasTelephone()
    {
        const QImage mapped = drawn(fontNamed("Wingdings"), "(");
        const QImage direct = drawn(fontNamed("Symbola"), kTelephone);
        QVERIFY(inkedPixels(mapped) > 200);
        QCOMPARE(mapped, direct);
        QVERIFY(mapped != drawn(fontNamed("Symbola"), "("));
        QCOMPARE(Fonts::textExtent(fontNamed("Wingdings"), 96, "("),
                 Fonts::textExtent(fontNamed("Symbola"), 96, kTelephone));
        // Glyph outlines (clipping to letters, text effects) follow the same map.
        TCanvas canvas(&const_cast<QImage &>(mapped), 96);
        canvas.setFont(fontNamed("Wingdings"));
        QPainterPath symbolPath = canvas.textPath(0, 0, "(");
        canvas.setFont(fontNamed("Symbola"));
        QCOMPARE(symbolPath.boundingRect(), canvas.textPath(0, 0, kTelephone).boundingRect());
    }

    void anUnmappedCodeDrawsAnEmptyBox()
    {
        const QImage unmapped = drawn(fontNamed("Wingdings"), QString(QChar(0xFF)));
        QVERIFY(inkedPixels(unmapped) > 0);
        QCOMPARE(unmapped, drawn(fontNamed("Symbola"), QString(SymbolFonts::missingGlyph())));
        QVERIFY(unmapped != drawn(fontNamed("Symbola"), QString(QChar(0xFF))));
    }

    void aPdfShowsTheSameTelephone()
    {
        const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
        if (pdftoppm.isEmpty())
            QSKIP("pdftoppm (poppler-utils) is not installed; cannot rasterise the PDF");
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("symbols.pdf"));
        TReport job(std::make_unique<PdfTarget>(file, 600));
        job.onPrint = [](TReport &r) {
            r.setFont(fontNamed("Wingdings", 48), 96);
            r.printText(1, 2, "(");
            r.setFont(fontNamed("Symbola", 48), 96);
            r.printText(4, 2, kTelephone);
            r.printText(1, 5, "(");
        };
        QVERIFY(job.run());
        QProcess process;
        process.start(pdftoppm, {"-r", "100", "-png", "-singlefile", file, dir.filePath("page")});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
        const QImage page = QImage(dir.filePath("page.png")).convertToFormat(QImage::Format_RGB32);
        QVERIFY(!page.isNull());
        const QImage viaTable = page.copy(50, 100, 300, 200);
        const QImage direct = page.copy(350, 100, 300, 200);
        const QImage latin = page.copy(50, 400, 300, 200);
        QVERIFY(inkedPixels(viaTable) > 500);
        QCOMPARE(inkBounds(viaTable), inkBounds(direct));
        int differing = 0;
        for (int y = 0; y < viaTable.height(); ++y)
            for (int x = 0; x < viaTable.width(); ++x)
                differing += qAbs(qGray(viaTable.pixel(x, y)) - qGray(direct.pixel(x, y))) > 64;
        QCOMPARE(differing, 0);
        QVERIFY(inkBounds(latin) != inkBounds(viaTable));
    }

    // Last: the stand-ins stay registered for the rest of the process.
    void theFontDialogOffersTheWindowsNames()
    {
        QCOMPARE(SymbolFonts::registerSelectorFamilies(), SymbolFonts::windowsFamilies());
        const QStringList families = QFontDatabase::families();
        for (const QString &name : SymbolFonts::windowsFamilies())
            QVERIFY2(families.contains(name), qPrintable(name));
        // A valid font: the stand-in has the outline font's glyphs.
        QFont standIn("Webdings");
        standIn.setStyleStrategy(QFont::NoFontMerging);
        QCOMPARE(QFontInfo(standIn).family(), QString("Webdings"));
        QVERIFY(QRawFont::fromFont(standIn).supportsCharacter(0x1F57F));
        // Drawing still goes through the table.
        QVERIFY(!SymbolFonts::isInstalled(TSymbolSet::ssWebdings));
        QCOMPARE(QFontInfo(Fonts::toQFont(fontNamed("Webdings"), 96)).family(), QString("Symbola"));
        QCOMPARE(drawn(fontNamed("Wingdings"), "("), drawn(fontNamed("Symbola"), kTelephone));

        QFontDialog dialog;
        dialog.setOption(QFontDialog::DontUseNativeDialog);
        QFont chosen("Webdings");
        chosen.setPointSize(20);
        dialog.setCurrentFont(chosen);
        QCOMPARE(dialog.currentFont().family(), QString("Webdings"));
        TFont base = fontNamed("WingDings", 24);
        const TFont result = Fonts::fromQFont(dialog.currentFont(), base, 96);
        QCOMPARE(result.name, QString("Webdings"));
        QCOMPARE(result.charset, SYMBOL_CHARSET);
        QCOMPARE(result.size(96), 20);
        // The outline font chosen by its own name is that font, not a symbol set.
        QCOMPARE(Fonts::fromQFont(QFont("Symbola", 20), base, 96).name, QString("Symbola"));
        // Back to a text font: the text character set again.
        QCOMPARE(Fonts::fromQFont(QFont("Liberation Sans", 12), result, 96).charset, DEFAULT_CHARSET);
        QCOMPARE(Fonts::fromQFont(QFont("Liberation Sans", 12), result, 96).name, QString("Arial"));
    }
};

QTEST_MAIN(TestSymbolFonts)
#include "tst_symbolfonts.moc"
