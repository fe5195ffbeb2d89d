#include "MainScreenFixture.h"

#include "app/TUndoHistory.h"
#include "design/TGHandle.h"
#include "objects/TGImage.h"
#include "support/ModernPictures.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUndoStack>

using namespace ModernPictures;

class TestCardDrops : public QObject
{
    Q_OBJECT

private slots:
    void droppedPictureIsPlacedAtItsSizeShrunkToTheCard();
    void droppedOnASelectedPictureReplacesItAsOneStep();
    void droppedOnTheLogoPlaceholderReplacesIt();
    void droppedCardOpensAfterTheSaveQuestion();
    void otherFilesAreRefused();
};

namespace {

// Drags `files` over the card and drops them at `point` through Qt's own
// drag-and-drop events; whether the card took the drop.
bool dropFiles(TGBusinessCardPanel32 &panel, const QStringList &files, QPoint point)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &file : files)
        urls << QUrl::fromLocalFile(file);
    data.setUrls(urls);
    QDragEnterEvent enter(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&panel, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(point), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&panel, &drop);
    return drop.isAccepted();
}

TGImage *imageAt(TGBusinessCardPanel32 &panel, int index)
{
    return qobject_cast<TGImage *>(panel.Objects().value(index));
}

} // namespace

void TestCardDrops::droppedPictureIsPlacedAtItsSizeShrunkToTheCard()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    QVERIFY(f.panel().acceptDrops());
    QVERIFY(f.folder.writeFile("logo.png", pngFile(halfTransparent(40, 20), 6, 8)));
    QVERIFY(f.folder.writeFile("huge.svg", svgFile(2000, 500)));
    QVERIFY(dropFiles(f.panel(), {f.folder.filePath("logo.png")}, QPoint(100, 60)));
    QCOMPARE(f.panel().ObjectCount(), 1);
    TGImage *logo = imageAt(f.panel(), 0);
    QVERIFY(logo && logo->Picture().Kind() == TPicture::pkPng);
    QCOMPARE(logo->BoundsRect(), QRect(80, 50, 40, 20)); // its own size, centred on the drop
    QVERIFY(s.ChangesMade());

    // Wider than the card: shrunk to its width, keeping its shape.
    QVERIFY(dropFiles(f.panel(), {f.folder.filePath("huge.svg")}, QPoint(10, 10)));
    TGImage *wide = imageAt(f.panel(), 1);
    QVERIFY(wide && wide->Picture().IsSvg());
    QCOMPARE(wide->Width(), f.panel().width());
    QCOMPARE(wide->Height(), f.panel().width() / 4);
    QCOMPARE(wide->BoundsRect().topLeft(), QPoint(0, 0)); // kept on the card
    QCOMPARE(s.History->Stack().count(), 2);
}

void TestCardDrops::droppedOnASelectedPictureReplacesItAsOneStep()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    QVERIFY(f.folder.writeFile("logo.png", pngFile(halfTransparent(40, 20), 6, 8)));
    QVERIFY(f.folder.writeFile("logo.svg", svgFile(40, 20)));
    QVERIFY(dropFiles(f.panel(), {f.folder.filePath("logo.png")}, QPoint(100, 60)));
    TGImage *logo = imageAt(f.panel(), 0);
    {
        TGPanelAction resize(&f.panel(), QStringLiteral("Size"));
        logo->SetBounds(60, 40, 120, 60);
    }
    const int steps = s.History->Stack().count();

    // Not selected: a second object.
    QVERIFY(dropFiles(f.panel(), {f.folder.filePath("logo.svg")}, QPoint(100, 60)));
    QCOMPARE(f.panel().ObjectCount(), 2);
    s.History->Stack().undo();
    QCOMPARE(f.panel().ObjectCount(), 1);
    logo = imageAt(f.panel(), 0);

    f.panel().Handle()->SelectObject(logo);
    QVERIFY(dropFiles(f.panel(), {f.folder.filePath("logo.svg")}, QPoint(100, 60)));
    QCOMPARE(f.panel().ObjectCount(), 1);
    QVERIFY(logo->Picture().IsSvg());
    QCOMPARE(logo->BoundsRect(), QRect(60, 40, 120, 60)); // keeps its box
    QCOMPARE(s.History->Stack().count(), steps + 1);
    s.History->Stack().undo();
    QCOMPARE(imageAt(f.panel(), 0)->Picture().Kind(), TPicture::pkPng);
}

void TestCardDrops::droppedOnTheLogoPlaceholderReplacesIt()
{
    MainScreenFixture f;
    f.start();
    QVERIFY(f.folder.writeFile("logo.kvlt", "[Logo]\nLeft=30\nTop=20\nWidth=48\nHeight=48\n"));
    QVERIFY(f.folder.writeFile("logo.webp", writtenFile(halfTransparent(40, 20), "webp")));
    QString error;
    f.panel().ReadTemplate(f.folder.filePath("logo.kvlt"), &error);
    QCOMPARE(f.panel().ObjectCount(), 1);
    TGImage *placeholder = imageAt(f.panel(), 0);
    QVERIFY(placeholder && placeholder->Picture().IsSvg());
    const QRect box = placeholder->BoundsRect();
    f.panel().Handle()->ClearSelection();
    QVERIFY(dropFiles(f.panel(), {f.folder.filePath("logo.webp")}, box.center()));
    QCOMPARE(f.panel().ObjectCount(), 1);
    QCOMPARE(placeholder->Picture().Kind(), TPicture::pkWebP);
    QCOMPARE(placeholder->BoundsRect(), box);
}

void TestCardDrops::droppedCardOpensAfterTheSaveQuestion()
{
    MainScreenFixture f;
    TMainScreen &s = f.start();
    f.drawRectangle();
    f.drawRectangle(QRect(100, 20, 30, 30));
    const QString path = f.folder.filePath("saved/two.KVL");
    f.dialogs->saveFileNames << path;
    s.SaveAsClick();
    s.NewBlankClick();
    f.drawRectangle();
    QVERIFY(s.ChangesMade());
    f.dialogs->answers << false; // "Save changes?" No
    QVERIFY(dropFiles(f.panel(), {path}, QPoint(50, 50)));
    QTRY_COMPARE(f.panel().ObjectCount(), 2);
    QCOMPARE(f.dialogs->questions().size(), 1);
    QCOMPARE(s.DocumentPath(), path);
}

void TestCardDrops::otherFilesAreRefused()
{
    MainScreenFixture f;
    f.start();
    QVERIFY(f.folder.writeFile("notes.txt", "text"));
    QVERIFY(f.folder.writeFile("cut.png", pngFile(halfTransparent(40, 20), 6, 8).left(40)));
    QVERIFY(!dropFiles(f.panel(), {f.folder.filePath("notes.txt")}, QPoint(50, 50)));
    QVERIFY(!dropFiles(f.panel(), {f.folder.filePath("cut.png")}, QPoint(50, 50)));
    QCOMPARE(f.panel().ObjectCount(), 0);
    QCOMPARE(f.dialogs->texts().size(), 1); // the damaged picture says why
    QVERIFY(f.dialogs->texts().first().startsWith("Error loading file!"));
}

QTEST_MAIN(TestCardDrops)
#include "tst_carddrops.moc"
