// The QR code object: the contact card text, whole-pixel modules on screen,
// the paths for vector output, keeping every property through documents,
// the clipboard and cloning, and its dialog.
#include "app/CardClasses.h"
#include "design/CardDocument.h"
#include "design/ComponentStreamer.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TGHandle.h"
#include "design/TGTickClock.h"
#include "objects/QRCodeDrawing.h"
#include "objects/TGQRCode.h"
#include "objects/TGQRCodeProperties.h"
#include "objects/VCard.h"
#include "platform/Canvas.h"
#include "platform/ScreenMetrics.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramFolder.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QStringList Owner = {"José Ñúñez García",  "Café Ltd; Sales, North", "",
                           "12 Rue de l'Église", "",                       "Apt 3\\4",
                           "+33 1 23 45 67 89",  "",                       "jose@example.com",
                           "  "};

TGQRCode *addCode(TGBusinessCardPanel32 &panel, QRect r)
{
    auto *code = new TGQRCode(&panel);
    code->Loaded();
    panel.PlaceObject(code, r);
    return code;
}

// Every stored value set away from its default.
void setEverything(TGQRCode &code)
{
    code.SetContentKind(qcText);
    code.SetContent("Zürich; Straße 5, \"Büro\"\r\nZweite Zeile");
    code.SetLevel(qlH);
    code.SetModuleColor(clNavy);
    code.SetBackColor(clCream);
    code.SetTransparent(true);
    code.SetQuietZone(false);
}

void compareEverything(const TGQRCode &a, const TGQRCode &b)
{
    QCOMPARE(b.ContentKind(), a.ContentKind());
    QCOMPARE(b.Content(), a.Content());
    QCOMPARE(b.Level(), a.Level());
    QCOMPARE(b.ModuleColor(), a.ModuleColor());
    QCOMPARE(b.BackColor(), a.BackColor());
    QCOMPARE(b.Transparent(), a.Transparent());
    QCOMPARE(b.QuietZone(), a.QuietZone());
    QCOMPARE(b.Width(), a.Width());
    QCOMPARE(b.Height(), a.Height());
}

} // namespace

class TestQRCode : public QObject
{
    Q_OBJECT
private:
    quint32 clock = 100000;

private slots:
    void initTestCase()
    {
        ScreenMetrics::setOverride(96);
        registerCardClasses();
        TGTickClock::setSource([this] { return clock; });
    }
    void cleanupTestCase()
    {
        TGTickClock::setSource({});
        UserDialogs::setModalRunner({});
    }

    void contactCardEscapesAndLeavesOutEmptyValues()
    {
        QCOMPARE(VCard::ContactCard(Owner),
                 QString("BEGIN:VCARD\r\n"
                         "VERSION:3.0\r\n"
                         "N:García;José Ñúñez;;;\r\n"
                         "FN:José Ñúñez García\r\n"
                         "ORG:Café Ltd\\; Sales\\, North\r\n"
                         "ADR;TYPE=WORK:;;12 Rue de l'Église\\nApt 3\\\\4;;;;\r\n"
                         "TEL;TYPE=WORK,VOICE:+33 1 23 45 67 89\r\n"
                         "EMAIL;TYPE=INTERNET:jose@example.com\r\n"
                         "END:VCARD\r\n"));
        // No name: the company names the card; a line break inside a value
        // becomes \n, and the fax and second phone appear when given.
        QStringList company(10);
        company[1] = "Acme\r\nWorks";
        company[7] = "555-0101";
        company[9] = "555-0199";
        QCOMPARE(VCard::ContactCard(company),
                 QString("BEGIN:VCARD\r\nVERSION:3.0\r\nN:;;;;\r\nFN:Acme\\nWorks\r\nORG:Acme\\nWorks\r\n"
                         "TEL;TYPE=VOICE:555-0101\r\nTEL;TYPE=WORK,FAX:555-0199\r\nEND:VCARD\r\n"));
        QCOMPARE(VCard::Escape("a\\b,c;d\ne"), QString("a\\\\b\\,c\\;d\\ne"));
    }

    void modulesFallOnWholePixelsAndTheCodeIsCentred_data()
    {
        QTest::addColumn<QSize>("box");
        QTest::addColumn<bool>("quiet");
        QTest::newRow("square, zoom 1") << QSize(96, 96) << true;
        QTest::newRow("zoom 1.3") << QSize(125, 125) << true;
        QTest::newRow("zoom 1.5, wide") << QSize(217, 144) << true;
        QTest::newRow("tall, no quiet zone") << QSize(70, 190) << false;
    }

    void modulesFallOnWholePixelsAndTheCodeIsCentred()
    {
        QFETCH(QSize, box);
        QFETCH(bool, quiet);
        TGQRCode code;
        code.SetBounds(0, 0, box.width(), box.height());
        code.SetContent("https://example.com/card");
        code.SetQuietZone(quiet);
        code.SetModuleColor(clNavy);
        code.SetBackColor(clCream);
        const QRMatrix &matrix = *code.Matrix();
        QImage image(box, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        {
            TCanvas canvas(&image);
            code.Paint(canvas);
        }
        // The code fills the shorter side, centred, with module edges at
        // whole pixels: module i covers [i * side / n, (i + 1) * side / n).
        const int n = matrix.Size() + (quiet ? 8 : 0);
        const int side = std::min(box.width(), box.height());
        QVERIFY(side >= n);
        const QPoint origin((box.width() - side) / 2, (box.height() - side) / 2);
        const int q = quiet ? 4 : 0;
        const auto moduleAt = [&](int pixel) {
            int i = pixel * n / side;
            while ((i + 1) * side / n <= pixel)
                ++i;
            while (i * side / n > pixel)
                --i;
            return i;
        };
        // Every pixel is exactly the colour of the module it belongs to; the
        // rest of the box is left alone.
        for (int y = 0; y < box.height(); ++y) {
            for (int x = 0; x < box.width(); ++x) {
                const bool inside = x >= origin.x() && y >= origin.y() && x < origin.x() + side
                                    && y < origin.y() + side;
                const int mx = inside ? moduleAt(x - origin.x()) - q : -1;
                const int my = inside ? moduleAt(y - origin.y()) - q : -1;
                QColor expected(Qt::magenta);
                if (inside) {
                    const bool dark = mx >= 0 && my >= 0 && mx < matrix.Size() && my < matrix.Size()
                                      && matrix.Dark(mx, my);
                    expected = Colors::toQColor(dark ? clNavy : clCream);
                }
                if (image.pixelColor(x, y) != expected)
                    QFAIL(qPrintable(QString("pixel %1,%2").arg(x).arg(y)));
            }
        }
    }

    void transparentCodeLeavesTheCardBetweenModules()
    {
        TGQRCode code;
        code.SetBounds(0, 0, 100, 100);
        code.SetContent("HELLO");
        code.SetTransparent(true);
        QImage image(100, 100, QImage::Format_RGB32);
        image.fill(Qt::green);
        {
            TCanvas canvas(&image);
            code.Paint(canvas);
        }
        QSet<QRgb> colours;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                colours.insert(image.pixel(x, y));
        QCOMPARE(colours, (QSet<QRgb>{qRgb(0, 255, 0), qRgb(0, 0, 0)}));
    }

    void mergedRectanglesCoverExactlyTheDarkModules()
    {
        const std::optional<QRMatrix> matrix = QRMatrix::Encode("MERGE TEST 0123456789", qlQ);
        QVERIFY(matrix);
        QVector<int> cover(matrix->Size() * matrix->Size());
        const QList<QRect> rects = matrix->DarkRects();
        int darkCount = 0;
        for (int y = 0; y < matrix->Size(); ++y)
            for (int x = 0; x < matrix->Size(); ++x)
                darkCount += matrix->Dark(x, y);
        for (const QRect &r : rects)
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    ++cover[y * matrix->Size() + x];
        for (int y = 0; y < matrix->Size(); ++y)
            for (int x = 0; x < matrix->Size(); ++x)
                QCOMPARE(cover[y * matrix->Size() + x], matrix->Dark(x, y) ? 1 : 0);
        // Runs and stacks: far fewer shapes than modules.
        QVERIFY2(rects.size() * 2 < darkCount, qPrintable(QString("%1 of %2").arg(rects.size()).arg(darkCount)));

        // The vector path: one path of those rectangles over the square.
        const QPainterPath path = QRCodeDrawing::VectorPath(*matrix, true, QRectF(10, 20, 330, 330));
        const double module = 330.0 / (matrix->Size() + 8);
        QCOMPARE(path.elementCount(), 5 * int(rects.size()));
        QVERIFY(path.contains(QPointF(10 + 4.5 * module, 20 + 4.5 * module))); // finder corner
        QVERIFY(!path.contains(QPointF(10 + 2 * module, 20 + 2 * module)));    // quiet zone
    }

    void contentThatIsTooLongMakesNoCode()
    {
        const QString text(2400, QLatin1Char('x'));
        QString error;
        QVERIFY(!QRMatrix::Encode(text, qlM, &error));
        QCOMPARE(error, QRMatrix::TooLongMessage(text, qlM));
        QVERIFY(error.contains("2400 bytes") && error.contains("2331"));
        QVERIFY(QRMatrix::Encode(text, qlL));
        QVERIFY(!QRMatrix::Encode(QString(), qlL, &error));
        QVERIFY(!error.isEmpty());
        // An object with such content still paints (its frame), and prints nothing.
        TGQRCode code;
        code.SetBounds(0, 0, 50, 50);
        code.SetContent(text);
        QVERIFY(!code.Matrix());
        QCOMPARE(code.EncodeError(), QRMatrix::TooLongMessage(text, qlM));
    }

    void everyPropertyIsStoredInOrder()
    {
        TGQRCode code;
        code.SetBounds(3, 4, 90, 80);
        QStringList names;
        for (const auto &p : ComponentStreamer::RecordOf(code).properties)
            names << p.first;
        QCOMPARE(names, (QStringList{"Left", "Top", "Width", "Height", "Locked", "Unselectable"}));
        setEverything(code);
        names.clear();
        for (const auto &p : ComponentStreamer::RecordOf(code).properties)
            names << p.first;
        QCOMPARE(names, (QStringList{"Left", "Top", "Width", "Height", "Locked", "Unselectable", "ContentKind",
                                     "Content", "Level", "ModuleColor", "BackColor", "Transparent", "QuietZone"}));
        QCOMPARE(ComponentStreamer::RecordOf(code).find("Level")->toIdent(), QString("qlH"));
    }

    void savedCodeReopensWithEveryProperty()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("qr.kvl");
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TGQRCode *code = addCode(panel, QRect(20, 30, 110, 100));
        setEverything(*code);
        TGQRCode *plain = addCode(panel, QRect(200, 30, 96, 96));
        plain->SetContent("https://example.com");
        plain->SetContentKind(qcWebAddress);
        const QImage before = panel.RenderToBitmap();
        QString error;
        QVERIFY2(CardDocument::SaveToFile(panel, file, &error), qPrintable(error));

        TGBusinessCardPanel32 reopened;
        reopened.resize(336, 192);
        QVERIFY2(CardDocument::LoadFromFile(reopened, file, &error), qPrintable(error));
        QCOMPARE(reopened.ObjectCount(), 2);
        auto *copy = qobject_cast<TGQRCode *>(reopened.Objects().at(0));
        QVERIFY(copy);
        compareEverything(*code, *copy);
        auto *plainCopy = qobject_cast<TGQRCode *>(reopened.Objects().at(1));
        QVERIFY(plainCopy);
        compareEverything(*plain, *plainCopy);
        QCOMPARE(reopened.RenderToBitmap(), before);
    }

    void clipboardAndCloneKeepEveryProperty()
    {
        TempProgramFolder folder;
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TGQRCode *code = addCode(panel, QRect(10, 10, 100, 90));
        setEverything(*code);
        panel.Handle()->SelectObject(code);
        panel.Copy();
        panel.Paste();
        QCOMPARE(panel.ObjectCount(), 2);
        auto *pasted = qobject_cast<TGQRCode *>(panel.Objects().at(1));
        QVERIFY(pasted && pasted != code);
        compareEverything(*code, *pasted);
        QVERIFY(pasted->ObjectMenu());

        code->Clone();
        QCOMPARE(panel.ObjectCount(), 3);
        auto *clone = qobject_cast<TGQRCode *>(panel.Objects().last());
        QVERIFY(clone && clone != code && clone != pasted);
        compareEverything(*code, *clone);
        QCOMPARE(clone->Top(), code->Top() + 25);
    }

    void dialogRebuildsTheContactCardFromTheCurrentPersonalInformation()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        panel.SetPersonalInformation(Owner);
        TGQRCode *code = addCode(panel, QRect(10, 10, 96, 96));
        QString shown, viewed;
        UserDialogs::setModalRunner(modalRunnerFor<TGQRCodeProperties>([&shown, &viewed](TGQRCodeProperties &dialog) {
            viewed = dialog.ContactCardView->toPlainText();
            shown = dialog.ContactCardText();
            dialog.OkButtonClick();
            return dialog.result();
        }));
        QVERIFY(code->EditProperties());
        QCOMPARE(code->Content(), VCard::ContactCard(Owner));
        QCOMPARE(shown, VCard::ContactCard(Owner));
        QCOMPARE(viewed, VCard::ContactCard(Owner).replace("\r\n", "\n")); // the editor shows plain lines

        // The owner moves: the next opening of the dialog follows.
        QStringList moved = Owner;
        moved[3] = "1 Main Street";
        panel.SetPersonalInformation(moved);
        QVERIFY(code->EditProperties());
        QCOMPARE(code->Content(), VCard::ContactCard(moved));
        QVERIFY(code->Content().contains("1 Main Street"));
        UserDialogs::setModalRunner({});
    }

    void dialogRefusesContentTooLongForAQRCode()
    {
        ScopedScriptedDialogs boxes;
        TGQRCode code;
        TGQRCodeProperties dialog;
        dialog.LoadFrom(code);
        dialog.ContentKindCombo->setCurrentIndex(int(qcText));
        const QString text(2400, QLatin1Char('x'));
        dialog.TextEdit->setPlainText(text);
        QVERIFY(!dialog.CurrentMatrix());
        QCOMPARE(dialog.StatusText(), QRMatrix::TooLongMessage(text, qlM));
        dialog.OkButtonClick();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(boxes->informations(), QStringList{QRMatrix::TooLongMessage(text, qlM)});

        // At the lowest error correction the same text fits.
        dialog.LevelCombo->setCurrentIndex(int(qlL));
        QVERIFY(dialog.CurrentMatrix());
        dialog.OkButtonClick();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        dialog.StoreTo(code);
        QCOMPARE(code.Content(), text);
        QCOMPARE(code.Level(), qlL);
        QCOMPARE(code.ContentKind(), qcText);
    }

    void dialogKeepsWebAddressesAndGivesBareOnesAScheme()
    {
        QCOMPARE(TGQRCodeProperties::NormalisedWebAddress("  www.example.com/a?b=1 "),
                 QString("https://www.example.com/a?b=1"));
        QCOMPARE(TGQRCodeProperties::NormalisedWebAddress("HTTP://example.com"), QString("HTTP://example.com"));
        QCOMPARE(TGQRCodeProperties::NormalisedWebAddress("mailto:jo@example.com"), QString("mailto:jo@example.com"));
        QCOMPARE(TGQRCodeProperties::NormalisedWebAddress(""), QString());

        TGQRCode code;
        code.SetContentKind(qcWebAddress);
        code.SetContent("https://example.org/me");
        code.SetModuleColor(clMaroon);
        code.SetQuietZone(false);
        TGQRCodeProperties dialog;
        dialog.LoadFrom(code);
        QCOMPARE(dialog.ContentPages->currentIndex(), int(qcWebAddress));
        QCOMPARE(dialog.WebAddressEdit->text(), QString("https://example.org/me"));
        TGQRCode back;
        dialog.StoreTo(back);
        compareEverything(code, back);
    }

    void toolAndMenuPlaceACodeOnlyWhenTheDialogIsAccepted()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        panel.SetPersonalInformation(Owner);
        UserDialogs::setModalRunner([](QDialog &) { return int(QDialog::Rejected); });
        TGQRCode::AddToCard(panel);
        QCOMPARE(panel.ObjectCount(), 0);
        QCOMPARE(panel.PanelState(), psPointing);

        UserDialogs::setModalRunner(modalRunnerFor<TGQRCodeProperties>([](TGQRCodeProperties &d) {
            d.OkButtonClick();
            return d.result();
        }));
        TGQRCode::AddToCard(panel);
        QCOMPARE(panel.ObjectCount(), 1);
        auto *code = qobject_cast<TGQRCode *>(panel.Objects().first());
        QVERIFY(code);
        QCOMPARE(code->BoundsRect(), QRect(120, 48, 96, 96)); // one inch, in the middle
        QCOMPARE(code->Content(), VCard::ContactCard(Owner));
        QCOMPARE(code->ClassName(), QString("TGQRCode"));
        QCOMPARE(panel.PanelState(), psPointing);
        UserDialogs::setModalRunner({});
    }
};

QTEST_MAIN(TestQRCode)
#include "tst_qrcode.moc"
