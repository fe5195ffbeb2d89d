#include "LabelImages.h"
#include "support/ScriptedDialogs.h"

#include "app/CardClasses.h"
#include "design/CardDocument.h"
#include "design/TGBusinessCardPanel32.h"
#include "objects/TGBusinessCardLabel.h"
#include "objects/TGMultiLineLabel.h"
#include "objects/TGSymbolLabel.h"
#include "objects/TGetSymbol.h"
#include "platform/ScreenMetrics.h"
#include "platform/SymbolFonts.h"
#include "report/PdfTarget.h"
#include "report/TReport.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kTelephone = QString::fromUcs4(U"\U0001F57F");

TGSymbolLabel *addSymbol(TGBusinessCardPanel32 &panel, QRect bounds, const QString &caption = "(")
{
    auto *symbol = new TGSymbolLabel(&panel);
    symbol->Loaded();
    panel.PlaceObject(symbol, bounds);
    symbol->SetCaption(caption);
    symbol->BoundsChanged();
    return symbol;
}

QStringList menuTexts(QMenu *menu)
{
    QStringList texts;
    for (QAction *item : menu->actions())
        texts << (item->isSeparator() ? QStringLiteral("-") : item->text());
    return texts;
}

// The glyph box rule: 110 % of the caption's extent plus the farthest copy.
QSize glyphBox(const TGSymbolLabel &symbol)
{
    const QSize extent = Fonts::textExtent(symbol.ZoomedFont(), 96, symbol.Caption());
    return QSize(int(extent.width() * 1.1) + std::max({symbol.MainOrigin().x(), symbol.ShadowOrigin().x(),
                                                      symbol.HighlightOrigin().x()}),
                 int(extent.height() * 1.1) + std::max({symbol.MainOrigin().y(), symbol.ShadowOrigin().y(),
                                                       symbol.HighlightOrigin().y()}));
}

QImage rasterisedPdf(const QString &pdf, const QString &folder)
{
    QProcess process;
    process.start(QStandardPaths::findExecutable("pdftoppm"),
                  {"-r", "96", "-png", "-singlefile", pdf, folder + "/page"});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QImage(folder + "/page.png").convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestSymbolLabel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        ScreenMetrics::setOverride(96);
        registerCardClasses();
    }
    void cleanup() { UserDialogs::setModalRunner({}); }

    void newSymbolAndItsMenu()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TGSymbolLabel *symbol = addSymbol(panel, QRect(10, 10, 60, 60), "[");
        QCOMPARE(symbol->Font().name, QString("WingDings"));
        QCOMPARE(symbol->Font().size(96), 24);
        QCOMPARE(symbol->Caption(), QString("["));
        const QStringList texts = menuTexts(symbol->ObjectMenu());
        const int own = texts.indexOf("Center Horizontally") + 1;
        QCOMPARE(texts.mid(own), QStringList({"-", "3D Effects", "Transparent", "Background Color", "Border", "-",
                                              "Symbol Selector"}));
        // Stored exactly as the text label's properties.
        QCOMPARE(TGSymbolLabel::properties().size(), TGBaseLabel::properties().size());
    }

    void theBoxKeepsTheGlyphSizeFromTenPoints()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TGSymbolLabel *symbol = addSymbol(panel, QRect(10, 10, 200, 150));
        QCOMPARE(symbol->BoundsRect().size(), glyphBox(*symbol));
        symbol->SetDepthShadow(4);
        symbol->RecalcLayout();
        symbol->SetBounds(10, 10, 300, 20);
        QCOMPARE(symbol->BoundsRect().size(), glyphBox(*symbol));
        QVERIFY(symbol->Width() < 300);

        // Below 10 points a symbol is sized like a text label.
        TFont small = symbol->Font();
        small.setSize(9, 96);
        symbol->SetFont(small);
        symbol->SetBounds(10, 10, 120, 40);
        QCOMPARE(symbol->BoundsRect().size(), QSize(120, 40));
    }

    void theCardFontCommandLeavesSymbolsAlone()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TGSymbolLabel *symbol = addSymbol(panel, QRect(10, 10, 60, 60));
        auto *lines = new TGMultiLineLabel(&panel);
        lines->Loaded();
        panel.PlaceObject(lines, QRect(100, 10, 100, 40));
        const TFont before = symbol->Font();
        TFont courier;
        courier.name = "Courier New";
        courier.setSize(14, 96);
        for (TGGraphicControl *object : panel.Objects())
            object->ApplyFont(courier);
        QCOMPARE(symbol->Font(), before);
        QCOMPARE(lines->Font(), courier);
    }

    void theSelectorListsTheFontAtItsOwnSize()
    {
        QCOMPARE(TGetSymbol::ColumnsForSize(5), 1);
        QCOMPARE(TGetSymbol::ColumnsForSize(6), 14);
        QCOMPARE(TGetSymbol::ColumnsForSize(10), 14);
        QCOMPARE(TGetSymbol::ColumnsForSize(11), 10);
        QCOMPARE(TGetSymbol::ColumnsForSize(30), 8);
        QCOMPARE(TGetSymbol::ColumnsForSize(40), 6);
        QCOMPARE(TGetSymbol::ColumnsForSize(50), 4);
        QCOMPARE(TGetSymbol::ColumnsForSize(60), 3);
        QCOMPARE(TGetSymbol::ColumnsForSize(72), 2);
        QCOMPARE(TGetSymbol::ColumnsForSize(73), 1);

        TFont font;
        font.name = "WingDings";
        font.setSize(48, 96);
        font.style = fsBold | fsItalic;
        TGetSymbol selector(font, "A");
        QCOMPARE(selector.windowTitle(), QString("Symbol Selector"));
        QCOMPARE(selector.size(), QSize(474, 327));
        QCOMPARE(selector.SymbolList->count(), 224);
        QCOMPARE(selector.SymbolList->currentRow(), 33);
        selector.FormActivate();
        QCOMPARE(selector.ListFont().size(96), 20);
        QCOMPARE(selector.Columns(), 10);
        QCOMPARE(selector.Fontbutton->text(), QString("WingDings, 20pt Bold Italic "));
        // Items show each code's picture: 0x28 is the telephone.
        QCOMPARE(selector.SymbolList->item(0x28 - 32)->text(), kTelephone);
        selector.SymbolList->setCurrentRow(0);
        QCOMPARE(selector.ChosenCaption(), std::optional<QString>(" "));
        QCOMPARE(selector.ChosenFont(), font);

        // An empty caption selects nothing, and "Ok" then keeps the caption.
        TGetSymbol empty(font, QString());
        QCOMPARE(empty.SymbolList->currentRow(), -1);
        QCOMPARE(empty.ChosenCaption(), std::nullopt);
    }

    void theFontButtonChangesTheListFaceButNotItsSize()
    {
        ScopedScriptedDialogs dialogs;
        TFont font;
        font.name = "WingDings";
        font.setSize(24, 96);
        TGetSymbol selector(font, "(");
        TFont chosen;
        chosen.name = "Webdings";
        chosen.setSize(36, 96);
        chosen.color = clRed;
        dialogs->fonts.enqueue(chosen);
        selector.FontbuttonClick();
        QCOMPARE(dialogs->fontTrueTypeOnly, QList<bool>({true}));
        QCOMPARE(dialogs->fontRequests.first(), font);
        QCOMPARE(selector.ListFont().name, QString("Webdings"));
        QCOMPARE(selector.ListFont().color, clRed);
        QCOMPARE(selector.ListFont().size(96), 20);
        QCOMPARE(selector.ChosenFont(), chosen);
        QCOMPARE(selector.Fontbutton->text(), QString("Webdings, 20pt "));
        QCOMPARE(selector.SymbolList->item(0x28 - 32)->text(),
                 SymbolFonts::unicodeFor(SymbolFonts::TSymbolSet::ssWebdings, 0x28));
        // Cancelled: nothing changes.
        selector.FontbuttonClick();
        QCOMPARE(selector.ChosenFont(), chosen);
    }

    void theToolChoosesTheSymbolAndFitsItsBox()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        int firstRow = -1;
        UserDialogs::setModalRunner([&firstRow](QDialog &dialog) {
            auto &selector = dynamic_cast<TGetSymbol &>(dialog);
            firstRow = selector.SymbolList->currentRow();
            selector.SymbolList->setCurrentRow(0x80 - 32);
            selector.OkButtonClick();
            return int(QDialog::Accepted);
        });
        panel.SetPanelState(psSymbolLabel);
        panel.CreateObject(QRect(20, 20, 10, 10));
        auto *symbol = qobject_cast<TGSymbolLabel *>(panel.Objects().value(0));
        QVERIFY(symbol);
        QCOMPARE(firstRow, '[' - 32);
        QCOMPARE(symbol->Caption(), QString(QChar(0x20AC))); // code 0x80
        QCOMPARE(symbol->BoundsRect().size(), glyphBox(*symbol));

        UserDialogs::setModalRunner([](QDialog &dialog) {
            dynamic_cast<TGetSymbol &>(dialog).SymbolList->setCurrentRow(0);
            return int(QDialog::Rejected);
        });
        symbol->ChooseSymbol();
        QCOMPARE(symbol->Caption(), QString(QChar(0x20AC)));
    }

    void aWingdingsTelephoneLooksLikeSymbolasAndSavesItsByte()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TGSymbolLabel *symbol = addSymbol(panel, QRect(10, 10, 60, 60), "(");
        TFont symbola = symbol->Font();
        symbola.name = "Symbola";
        auto *direct = new TGBusinessCardLabel(&panel);
        direct->Loaded();
        panel.PlaceObject(direct, QRect(10, 100, 60, 60));
        direct->SetFont(symbola);
        direct->SetCaption(kTelephone);
        direct->SetBounds(150, 10, symbol->Width(), symbol->Height());
        const QImage shown = LabelImages::render(*symbol);
        const QImage expected = LabelImages::render(*direct);
        QVERIFY(LabelImages::anyInk(shown).width() > 10);
        // A text label keeps its own minimum height (its layout counts the
        // internal leading twice), so the boxes may differ: the glyphs must not.
        QCOMPARE(shown.copy(LabelImages::anyInk(shown)), expected.copy(LabelImages::anyInk(expected)));

        // Printed to a PDF: the same picture in both places.
        if (!QStandardPaths::findExecutable("pdftoppm").isEmpty()) {
            QTemporaryDir dir;
            TReport job(std::make_unique<PdfTarget>(dir.filePath("card.pdf"), 600));
            job.onPrint = [&panel](TReport &r) { panel.PrintAll(r, 1.0, 1.0); };
            QVERIFY(job.run());
            const QImage page = rasterisedPdf(dir.filePath("card.pdf"), dir.path());
            QVERIFY(!page.isNull());
            const QImage viaTable = page.copy(96 + 10, 96 + 10, symbol->Width(), symbol->Height());
            const QImage viaSymbola = page.copy(96 + 150, 96 + 10, symbol->Width(), symbol->Height());
            QVERIFY(LabelImages::anyInk(viaTable).width() > 10);
            QCOMPARE(LabelImages::anyInk(viaTable), LabelImages::anyInk(viaSymbola));
            int differing = 0;
            for (int y = 0; y < viaTable.height(); ++y)
                for (int x = 0; x < viaTable.width(); ++x)
                    differing += qAbs(qGray(viaTable.pixel(x, y)) - qGray(viaSymbola.pixel(x, y))) > 64;
            QCOMPARE(differing, 0);
        }

        // Saved, the caption is the one byte 0x28; reopened, the same symbol.
        panel.ObjectDelete(direct);
        QTemporaryDir dir;
        const QString file = dir.filePath("phone.kvl");
        QString error;
        QVERIFY2(CardDocument::SaveToFile(panel, file, &error), qPrintable(error));
        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray bytes = saved.readAll();
        QVERIFY(bytes.contains(QByteArray("Caption\x06\x01\x28", 10)));
        QVERIFY(bytes.contains(QByteArray("\x06\x09WingDings", 11)));
        TGBusinessCardPanel32 reopened;
        reopened.resize(336, 192);
        QVERIFY2(CardDocument::LoadFromFile(reopened, file, &error), qPrintable(error));
        auto *copy = qobject_cast<TGSymbolLabel *>(reopened.Objects().value(0));
        QVERIFY(copy);
        QCOMPARE(copy->Caption(), QString("("));
        QCOMPARE(copy->BoundsRect(), symbol->BoundsRect());
        QCOMPARE(LabelImages::render(*copy), shown);
    }
};

QTEST_MAIN(TestSymbolLabel)
#include "tst_symbollabel.moc"
