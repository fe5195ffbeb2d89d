#include "PrintTestSupport.h"

#include "../support/TempProgramFolder.h"
#include "print/CardImageExport.h"
#include "print/TExportImageDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>
#include <QTest>

using namespace PrintTest;

class TestPrintShopImage : public QObject
{
    Q_OBJECT
private slots:
    void cardAt600DpiIs2100By1200();
    void transparentLeavesTheBackgroundOut();
    void resolutionIsKeptInRangeAndRemembered();
    void dialogShowsThePictureSize();

private:
    PrintShopExport::Card card(TGBusinessCardPanel32 &panel, const QString &background = QString())
    {
        PrintShopExport::Card c;
        c.Panel = &panel;
        c.BackgroundFile = background;
        return c;
    }

    TempProgramFolder m_folder;
};

void TestPrintShopImage::cardAt600DpiIs2100By1200()
{
    auto panel = makePanel();
    addMarker(*panel, 96, 48, 12); // one inch across, half an inch down, 1/8 inch square
    const QImage picture = CardImageExport::Render(card(*panel), 600);
    QCOMPARE(picture.size(), QSize(2100, 1200));
    QCOMPARE(inkBox(picture, picture.rect()), QRect(600, 300, 75, 75));
    QCOMPARE(picture.dotsPerMeterX(), qRound(600 / 0.0254));

    // Written as PNG, it reads back the same.
    const QString path = m_folder.filePath(QStringLiteral("card.png"));
    QString error;
    QVERIFY2(CardImageExport::WritePicture(picture, path, "png", &error), qPrintable(error));
    QCOMPARE(QImage(path).size(), QSize(2100, 1200));
    QVERIFY(!CardImageExport::WritePicture(picture, m_folder.filePath(QStringLiteral("no/card.png")), "png", &error));
    QVERIFY(error.contains(QStringLiteral("card.png")));
}

void TestPrintShopImage::transparentLeavesTheBackgroundOut()
{
    const QString background = m_folder.filePath(QStringLiteral("red.bmp"));
    QImage red(336, 192, QImage::Format_RGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(background, "BMP"));
    auto panel = makePanel();
    addMarker(*panel, 96, 48, 12);

    const QImage opaque = CardImageExport::Render(card(*panel, background), 96);
    QCOMPARE(opaque.pixel(2, 2), qRgb(255, 0, 0));
    QVERIFY(!opaque.hasAlphaChannel());

    const QImage clear = CardImageExport::Render(card(*panel, background), 96, true);
    QVERIFY(clear.hasAlphaChannel());
    QCOMPARE(qAlpha(clear.pixel(2, 2)), 0);
    QCOMPARE(clear.pixel(100, 50), qRgba(0, 0, 0, 255)); // the marker is solid
}

void TestPrintShopImage::resolutionIsKeptInRangeAndRemembered()
{
    auto panel = makePanel();
    QCOMPARE(CardImageExport::Render(card(*panel), 10).size(), QSize(336, 192));
    QCOMPARE(CardImageExport::Render(card(*panel), 5000).size(), QSize(4200, 2400));
    QCOMPARE(CardImageExport::Remembered().Dpi, CardImageExport::DefaultDpi);
    CardImageExport::Remember({1200, true});
    QCOMPARE(CardImageExport::Remembered().Dpi, 1200);
    QVERIFY(CardImageExport::Remembered().Transparent);
    CardImageExport::Remember({});
}

void TestPrintShopImage::dialogShowsThePictureSize()
{
    TExportImageDialog dialog(QSizeF(3.5, 2));
    QCOMPARE(dialog.DpiEdit->value(), 300);
    QCOMPARE(dialog.SizeLabel->text(), QStringLiteral("1050 × 600 pixels"));
    dialog.DpiEdit->setValue(600);
    QCOMPARE(dialog.SizeLabel->text(), QStringLiteral("2100 × 1200 pixels"));
    dialog.DpiEdit->setValue(2000);
    QCOMPARE(dialog.DpiEdit->value(), 1200);
}

QTEST_MAIN(TestPrintShopImage)
#include "tst_printshopimage.moc"
