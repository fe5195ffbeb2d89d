// The card and the system clipboard, driven through Qt's own clipboard and
// real keys on the main window: Copy puts Karvello's objects and a picture
// of them there; Paste takes objects from another copy of Karvello, then a
// picture, then text, and the card's clipboard file still works as before.

#include "UndoFixture.h"

#include "app/TEditingCommands.h"
#include "design/SystemClipboard.h"
#include "design/TGObjectStreamer.h"
#include "objects/TGBusinessCardLabel.h"
#include "objects/TGImage.h"
#include "objects/TGMultiLineLabel.h"
#include "support/ModernPictures.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QtTest>

using namespace ModernPictures;

namespace {

const QString kObjects = QString::fromLatin1(SystemClipboard::ObjectsMimeType);

QClipboard &clipboard()
{
    return *QGuiApplication::clipboard();
}

TEditingCommands &editing(TMainScreen &s)
{
    auto *commands = s.findChild<TEditingCommands *>();
    Q_ASSERT(commands);
    return *commands;
}

// What another program (or another running Karvello, with `objects`) puts there.
void offer(const QByteArray &objects, const QImage &image, const QString &text)
{
    auto *data = new QMimeData;
    if (!objects.isNull()) {
        data->setData(kObjects, objects);
        data->setData(QStringLiteral("application/x-karvello-source"), "another-copy");
    }
    if (!image.isNull())
        data->setImageData(image);
    if (!text.isNull())
        data->setText(text);
    clipboard().setMimeData(data);
    QCoreApplication::processEvents();
}

// A fresh window with an empty system clipboard.
TMainScreen &begin(UndoFixture &f)
{
    clipboard().clear();
    TMainScreen &s = f.begin();
    s.activateWindow();
    return s;
}

} // namespace

class TstClipboardPaste : public QObject
{
    Q_OBJECT
private slots:
    void copyPutsTheObjectsAndATransparentPictureOnTheClipboard();
    void pasteTakesObjectsCopiedInAnotherKarvello();
    void pasteTakesAPictureAsPng();
    void pasteTakesTextAsALabel();
    void objectsComeBeforeAPictureAndAPictureBeforeText();
    void ownCopyIsPastedFromTheClipboardFile();
    void pasteFollowsTheClipboardAndRefusesWhatItCannotUse();
};

void TstClipboardPaste::copyPutsTheObjectsAndATransparentPictureOnTheClipboard()
{
    UndoFixture f;
    begin(f);
    f.panel().SetPanelState(psEllipse);
    f.panel().CreateObject(QRect(20, 20, 60, 40));
    f.panel().SetPanelState(psPointing);
    f.idle();
    TGGraphicControl *ellipse = f.panel().Objects().constFirst();
    TGGraphicControl *square = f.drawn(QRect(100, 30, 20, 20));
    f.key(Qt::Key_A, Qt::ControlModifier);
    f.key(Qt::Key_C, Qt::ControlModifier);

    const QMimeData *data = clipboard().mimeData();
    QVERIFY(data);
    QFile file(f.panel().ClipboardFileName());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(data->data(kObjects), file.readAll()); // the same objects as the clipboard file

    // The picture spans both objects, at twice the screen's pixels, with
    // the card showing through round the ellipse and between the two.
    QImage picture;
    QVERIFY(picture.loadFromData(data->data(QStringLiteral("image/png")), "PNG"));
    const QRect both = ellipse->BoundsRect() | square->BoundsRect();
    QCOMPARE(picture.size(), both.size() * 2);
    const auto alphaAt = [&](QPoint card) { return qAlpha(picture.pixel((card - both.topLeft()) * 2)); };
    QCOMPARE(alphaAt(ellipse->BoundsRect().topLeft() + QPoint(1, 1)), 0);
    QCOMPARE(alphaAt(ellipse->BoundsRect().center()), 255);
    QCOMPARE(alphaAt(square->BoundsRect().center()), 255);
    QCOMPARE(alphaAt(QPoint(ellipse->BoundsRect().right() + 5, square->BoundsRect().center().y())), 0);

    // Copied again at 800 %: the same picture, not one of many megapixels.
    const QPoint ellipseCentre = ellipse->BoundsRect().center();
    f.panel().SetZoom(8.0f);
    f.key(Qt::Key_C, Qt::ControlModifier);
    QImage zoomed;
    QVERIFY(zoomed.loadFromData(clipboard().mimeData()->data(QStringLiteral("image/png")), "PNG"));
    QCOMPARE(zoomed.size(), both.size() * 2);
    QCOMPARE(qAlpha(zoomed.pixel((ellipseCentre - both.topLeft()) * 2)), 255);
    QCOMPARE(qAlpha(zoomed.pixel((ellipse->BoundsRect().topLeft() / 8 + QPoint(1, 1) - both.topLeft()) * 2)), 0);
}

void TstClipboardPaste::pasteTakesObjectsCopiedInAnotherKarvello()
{
    UndoFixture f;
    TMainScreen &s = begin(f);
    TGGraphicControl *first = f.drawn(QRect(20, 20, 60, 30));
    TGGraphicControl *second = f.drawn(QRect(100, 20, 30, 30));
    const QByteArray objects = f.panel().Streamer()->WriteObjects({first, second});
    const QRect firstBox = first->BoundsRect();
    f.key(Qt::Key_A, Qt::ControlModifier);
    f.key(Qt::Key_Delete);
    QCOMPARE(f.panel().ObjectCount(), 0);
    const int steps = f.stack().count();

    offer(objects, halfTransparent(40, 20), QStringLiteral("text"));
    f.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.panel().ObjectCount(), 2);
    QCOMPARE(f.handle().SelectionCount(), 2);
    QCOMPARE(f.panel().Objects().constFirst()->BoundsRect(), firstBox.translated(15, 15));
    QCOMPARE(f.stack().count(), steps + 1);
    QVERIFY(s.ChangesMade());
    f.stack().undo();
    QCOMPARE(f.panel().ObjectCount(), 0);
}

void TstClipboardPaste::pasteTakesAPictureAsPng()
{
    UndoFixture f;
    begin(f);
    offer(QByteArray(), halfTransparent(40, 20), QString());
    f.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.panel().ObjectCount(), 1);
    auto *image = qobject_cast<TGImage *>(f.panel().Objects().constFirst());
    QVERIFY(image);
    QCOMPARE(image->Picture().Kind(), TPicture::pkPng);
    QCOMPARE(image->BoundsRect().size(), QSize(40, 20));
    QCOMPARE(image->BoundsRect(), QRect(148, 86, 40, 20)); // centred on the 336 x 192 card
    QCOMPARE(f.handle().Selection(), QList<TGGraphicControl *>({image}));
    // The transparency came along.
    QCOMPARE(qAlpha(image->Picture().Bitmap().pixel(35, 2)), 0);
    QCOMPARE(qAlpha(image->Picture().Bitmap().pixel(2, 2)), 255);

    // A PNG as the other program gave it is kept byte for byte (16 bits a
    // channel here), and one too big for the card is shrunk to fit.
    const QByteArray png = pngFile(halfTransparent(1200, 300), 6, 16);
    auto *data = new QMimeData;
    data->setData(QStringLiteral("image/png"), png);
    clipboard().setMimeData(data);
    f.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.panel().ObjectCount(), 2);
    auto *wide = qobject_cast<TGImage *>(f.panel().Objects().constLast());
    QVERIFY(wide && wide->PictureData().endsWith(png));
    QCOMPARE(wide->Width(), f.panel().width());
    QCOMPARE(wide->Height(), f.panel().width() / 4);
}

void TstClipboardPaste::pasteTakesTextAsALabel()
{
    UndoFixture f;
    begin(f);
    offer(QByteArray(), QImage(), QStringLiteral("  Northwind Landscape Architecture \n"));
    f.key(Qt::Key_V, Qt::ControlModifier);
    auto *label = qobject_cast<TGBusinessCardLabel *>(f.panel().Objects().value(0));
    QVERIFY(label);
    QCOMPARE(label->Caption(), QStringLiteral("Northwind Landscape Architecture"));
    QVERIFY(label->Width() > 100); // fitted to its text
    const QRect box = label->BoundsRect(); // centred on the card
    QVERIFY(qAbs(box.top() - (f.panel().height() - 1 - box.bottom())) <= 1);
    QVERIFY(qAbs(box.left() - (f.panel().width() - 1 - box.right())) <= 1);
    QCOMPARE(f.handle().Selection(), QList<TGGraphicControl *>({label}));

    offer(QByteArray(), QImage(), QStringLiteral("Alex Whitfield\r\nSenior Consultant\r\n"));
    f.key(Qt::Key_V, Qt::ControlModifier);
    auto *lines = qobject_cast<TGMultiLineLabel *>(f.panel().Objects().value(1));
    QVERIFY(lines);
    QCOMPARE(lines->Items(), QStringList({"Alex Whitfield", "Senior Consultant"}));
    QVERIFY(lines->Height() > label->Height());
}

void TstClipboardPaste::objectsComeBeforeAPictureAndAPictureBeforeText()
{
    UndoFixture f;
    begin(f);
    TGGraphicControl *shape = f.drawn(QRect(20, 20, 60, 30));
    const QByteArray objects = f.panel().Streamer()->WriteObjects({shape});

    offer(objects, halfTransparent(40, 20), QStringLiteral("text"));
    f.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.panel().Objects().constLast()->ClassName(), shape->ClassName());

    offer(QByteArray(), halfTransparent(40, 20), QStringLiteral("text"));
    f.key(Qt::Key_V, Qt::ControlModifier);
    QVERIFY(qobject_cast<TGImage *>(f.panel().Objects().constLast()));
    QCOMPARE(f.panel().ObjectCount(), 3);
}

void TstClipboardPaste::ownCopyIsPastedFromTheClipboardFile()
{
    UndoFixture f;
    begin(f);
    TGGraphicControl *shape = f.drawn(QRect(20, 20, 60, 30));
    f.click(QPoint(40, 30));
    f.key(Qt::Key_C, Qt::ControlModifier);
    // The file is what the card pastes from; what it put on the system
    // clipboard itself is no newer.
    TGGraphicControl *other = f.drawn(QRect(150, 100, 20, 40));
    QSaveFile file(f.panel().ClipboardFileName());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(f.panel().Streamer()->WriteObjects({other}));
    QVERIFY(file.commit());
    f.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.panel().ObjectCount(), 3);
    QCOMPARE(f.panel().Objects().constLast()->BoundsRect(), other->BoundsRect().translated(15, 15));
    QVERIFY(shape);
}

void TstClipboardPaste::pasteFollowsTheClipboardAndRefusesWhatItCannotUse()
{
    UndoFixture f;
    TMainScreen &s = begin(f);
    TEditingCommands &e = editing(s);
    e.UpdateItems();
    QVERIFY(!e.PasteItem->isEnabled()); // nothing anywhere

    offer(QByteArray(), QImage(), QStringLiteral("Phone 01632 960 481"));
    QVERIFY(e.PasteItem->isEnabled()); // the clipboard changed: so did the menu
    offer(QByteArray(), QImage(), QStringLiteral(" \n\t "));
    QVERIFY(!e.PasteItem->isEnabled());
    f.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.panel().ObjectCount(), 0);

    // Damaged objects from elsewhere and a picture that is not one add nothing.
    offer(QByteArray("KVLO\x01garbage", 12), QImage(), QString());
    f.key(Qt::Key_V, Qt::ControlModifier);
    auto *broken = new QMimeData;
    broken->setData(QStringLiteral("image/png"), pngFile(halfTransparent(40, 20), 6, 8).left(60));
    clipboard().setMimeData(broken);
    f.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.panel().ObjectCount(), 0);
    QVERIFY(!s.ChangesMade());
}

QTEST_MAIN(TstClipboardPaste)
#include "tst_clipboardpaste.moc"
