// The "Super Shape Properties" dialog and its texture browser, driven
// without exec() through the shape's dialog runner.
#include "platform/HelpTopics.h"
#include "design/CardPanelHost.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/ObjectSampleView.h"
#include "effects/TSuperShape.h"
#include "effects/TSuperShapeProperties.h"
#include "effects/TTextureBrowser.h"
#include "platform/ScreenMetrics.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramFolder.h"
#include "widgets/TColorDrop.h"

#include <QBuffer>
#include <QComboBox>
#include <QListWidget>
#include <QSpinBox>
#include <QtTest>

namespace {

QImage plain(QSize size, QColor color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

QByteArray bitmapFile(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

// Runs EditProperties on `shape` with `script` acting on the open dialog;
// the script's return value is the dialog's result.
void edit(TSuperShape &shape, std::function<int(TSuperShapeProperties &)> script,
          std::function<int(TGBrushImageBrowser &)> browserScript = {})
{
    const ScopedModalRunner runner([&](QDialog &dialog) {
        if (auto *browser = qobject_cast<TGBrushImageBrowser *>(&dialog))
            return browserScript ? browserScript(*browser) : int(QDialog::Rejected);
        if (auto *properties = qobject_cast<TSuperShapeProperties *>(&dialog))
            return script(*properties);
        failUnexpectedDialog(dialog);
        return int(QDialog::Rejected);
    });
    shape.EditProperties();
}

void choose(QComboBox *combo, int index, void (TSuperShapeProperties::*handler)(), TSuperShapeProperties &d)
{
    combo->setCurrentIndex(index);
    (d.*handler)();
}

} // namespace

class TestSuperShapeDialog : public QObject
{
    Q_OBJECT
private slots:
    void init() { ScreenMetrics::setOverride(96); }

    void okTakesTheSampleBack()
    {
        TGBusinessCardPanel32 panel;
        auto *shape = new TSuperShape(&panel);
        shape->Loaded();
        panel.PlaceObject(shape, QRect(10, 10, 120, 100));
        QSignalSpy changed(&panel, &TGBusinessCardPanel32::LabelChangedEvent);
        edit(*shape, [](TSuperShapeProperties &d) {
            // The sample shows the object at its own size.
            [&] {
                QCOMPARE(d.Sample().Width(), 120);
                QCOMPARE(d.Sample().Height(), 100);
                QCOMPARE(d.ShapeCombo->currentText(), QString("Star"));
                QCOMPARE(d.PointsOnStar->value(), 5);
            }();
            d.PointsOnStar->setValue(7);
            d.PercentinVector->setValue(30);
            choose(d.ShadowOrientationCombo, 1, &TSuperShapeProperties::ShadowOrientationComboChange, d);
            d.ShadowDepthSpinner->setValue(8);
            d.OutLineWidthSpinner->setValue(2);
            d.GradientToColorCombo->SetColor(clYellow);
            return int(QDialog::Accepted);
        });
        QCOMPARE(shape->Vectors(), 14); // 7 points
        QCOMPARE(shape->InVectorPercent(), 30);
        QCOMPARE(shape->ShadowOrient(), soLowerRight);
        QCOMPARE(shape->ShadowDepth(), 8);
        QCOMPARE(shape->OutlineWidth(), 2);
        QCOMPARE(shape->GradientToColor(), clYellow);
        QCOMPARE(shape->Width(), 120);
        QVERIFY(changed.count() >= 1);
    }

    void cancelChangesNothing()
    {
        TSuperShape shape;
        shape.SetBounds(0, 0, 80, 80);
        shape.SetSurfaceType(TSuperShape::stBrushImage);
        shape.SetImage(plain({4, 4}, Qt::red));
        shape.SetLastBitmapFileNameandPath("/t/red.bmp");
        edit(shape, [](TSuperShapeProperties &d) {
            choose(d.ShapeCombo, 0, &TSuperShapeProperties::ShapeComboClick, d);
            choose(d.SurfaceTypeCombo, 3, &TSuperShapeProperties::SurfaceTypeComboChange, d);
            d.SetTexturePath("/t/other.bmp");
            d.OutlineColorCombo->SetColor(clLime);
            return int(QDialog::Rejected);
        });
        QCOMPARE(shape.Shape(), gstStar);
        QCOMPARE(shape.SurfaceType(), TSuperShape::stBrushImage);
        QCOMPARE(shape.Image().size(), QSize(4, 4));
        QCOMPARE(shape.OutlineColor(), clBlack);
        QCOMPARE(shape.LastBitmapFileNameandPath(), QString("/t/red.bmp"));
    }

    void panelsFollowShapeAndSurface()
    {
        TSuperShapeProperties d;
        d.FormActivate();
        auto shown = [&] {
            QStringList names;
            const QList<QPair<QString, QWidget *>> panels{{"star", d.StarPanel},     {"round", d.RoundRectPanel},
                                                          {"solid", d.SolidPanel},   {"gradient", d.GradientPanel},
                                                          {"texture", d.TexturePanel}};
            for (const auto &p : panels)
                if (!p.second->isHidden())
                    names << p.first;
            return names;
        };
        QCOMPARE(shown(), (QStringList{"star", "gradient"}));
        choose(d.ShapeCombo, 1, &TSuperShapeProperties::ShapeComboClick, d);
        choose(d.SurfaceTypeCombo, 1, &TSuperShapeProperties::SurfaceTypeComboChange, d);
        QCOMPARE(shown(), (QStringList{"round", "solid"}));
        choose(d.ShapeCombo, 3, &TSuperShapeProperties::ShapeComboClick, d);
        choose(d.SurfaceTypeCombo, 2, &TSuperShapeProperties::SurfaceTypeComboChange, d);
        QCOMPARE(shown(), QStringList{"texture"});
        choose(d.SurfaceTypeCombo, 0, &TSuperShapeProperties::SurfaceTypeComboChange, d);
        QCOMPARE(shown(), QStringList());
        QCOMPARE(d.ShapeCombo->count(), 9); // the polygon is not offered
    }

    void spinEditsClampWhatTheyShow()
    {
        TSuperShapeProperties d;
        TSuperShape &s = d.Sample();
        s.SetBounds(0, 0, 200, 200);
        s.SetVectors(11);
        s.SetShadowDepth(20);
        s.SetOutlineWidth(14);
        s.SetInVectorPercent(95);
        d.FormActivate();
        QCOMPARE(s.Vectors(), 10);
        QCOMPARE(s.ShadowDepth(), 10);
        QCOMPARE(s.OutlineWidth(), 10);
        QCOMPARE(s.InVectorPercent(), 90);
        // A polygon keeps its own vertex count.
        s.SetShape(gstPolyGon);
        s.SetVectors(6);
        d.FormActivate();
        QCOMPARE(s.Vectors(), 6);
        QCOMPARE(d.ShapeCombo->currentIndex(), -1);
    }

    void backgroundAndFromColourAgree()
    {
        TSuperShapeProperties d;
        d.FormActivate();
        QCOMPARE(d.BackGroundColorCombo2->Color(), clRed);
        d.BackGroundColorCombo2->SetColor(clNavy);
        QCOMPARE(d.BackGroundColorCombo->Color(), clNavy);
        QCOMPARE(d.Sample().BackColor(), clNavy);
        d.BackGroundColorCombo->SetColor(clOlive);
        QCOMPARE(d.BackGroundColorCombo2->Color(), clOlive);
        QCOMPARE(d.Sample().BackColor(), clOlive);
    }

    void textureComesBackAfterAnotherSurface()
    {
        TSuperShape shape;
        shape.SetBounds(0, 0, 60, 60);
        shape.SetSurfaceType(TSuperShape::stBrushImage);
        shape.SetImage(plain({5, 5}, Qt::green));
        edit(shape, [](TSuperShapeProperties &d) {
            choose(d.SurfaceTypeCombo, 3, &TSuperShapeProperties::SurfaceTypeComboChange, d);
            [&] { QVERIFY(d.Sample().Image().isNull()); }();
            choose(d.SurfaceTypeCombo, 2, &TSuperShapeProperties::SurfaceTypeComboChange, d);
            return int(QDialog::Accepted);
        });
        QCOMPARE(shape.Image().size(), QSize(5, 5));
        QCOMPARE(shape.Image().pixelColor(2, 2), QColor(Qt::green));
        // Leaving the texture surface on OK drops the texture.
        edit(shape, [](TSuperShapeProperties &d) {
            choose(d.SurfaceTypeCombo, 1, &TSuperShapeProperties::SurfaceTypeComboChange, d);
            return int(QDialog::Accepted);
        });
        QVERIFY(shape.Image().isNull());
    }

    void loadTextureTakesTheBrowsersChoiceOnlyOnOk()
    {
        ScopedScriptedDialogs dialogs;
        TempProgramFolder program;
        QVERIFY(program.writeFile("bmbrush/blue.bmp", bitmapFile(plain({6, 6}, Qt::blue))));
        QVERIFY(program.writeFile("bmbrush/red.bmp", bitmapFile(plain({3, 3}, Qt::red))));
        TSuperShape shape;
        shape.SetBounds(0, 0, 70, 70);
        shape.SetSurfaceType(TSuperShape::stBrushImage);
        shape.SetImage(plain({4, 4}, Qt::yellow));
        shape.SetLastBitmapFileNameandPath(program.filePath("bmbrush/red.bmp"));

        // Cancelled: texture and path stay, though the browser loaded a file.
        edit(
            shape,
            [&](TSuperShapeProperties &d) {
                d.LoadImageButtonClick();
                [&] {
                    QCOMPARE(d.Sample().Image().size(), QSize(4, 4));
                    QCOMPARE(d.TexturePath(), program.filePath("bmbrush/red.bmp"));
                }();
                return int(QDialog::Accepted);
            },
            [&](TGBrushImageBrowser &b) {
                // The browser opens on the shape's texture file and shows the sample.
                [&] {
                    QCOMPARE(b.FileName(), program.filePath("bmbrush/red.bmp"));
                    QCOMPARE(b.ExampleSuperShape().Width(), 70);
                    QCOMPARE(b.ExampleSuperShape().Image().size(), QSize(4, 4));
                }();
                b.FileListBox1->setCurrentRow(0); // blue.bmp
                return int(QDialog::Rejected);
            });
        QCOMPARE(shape.Image().size(), QSize(4, 4));
        QCOMPARE(shape.LastBitmapFileNameandPath(), program.filePath("bmbrush/red.bmp"));

        // Accepted: the chosen file becomes the texture and the path.
        edit(
            shape,
            [&](TSuperShapeProperties &d) {
                d.LoadImageButtonClick();
                return int(QDialog::Accepted);
            },
            [&](TGBrushImageBrowser &b) {
                b.FileListBox1->setCurrentRow(0);
                return int(QDialog::Accepted);
            });
        QCOMPARE(shape.Image().size(), QSize(6, 6));
        QCOMPARE(shape.Image().pixelColor(1, 1), QColor(Qt::blue));
        QCOMPARE(shape.LastBitmapFileNameandPath(), program.filePath("bmbrush/blue.bmp"));
        QVERIFY(dialogs->messages.isEmpty());
    }

    void samplePaintsTheShape()
    {
        TSuperShapeProperties d;
        d.Sample().SetShape(gstRectangle);
        d.Sample().SetSurfaceType(TSuperShape::stBrushPattern);
        d.Sample().SetBackColor(clLime);
        d.FormActivate();
        const QImage shot = d.SampleBox->Snapshot();
        QCOMPARE(shot.pixelColor(10 + 48, 10 + 48), QColor(Qt::green));
        QCOMPARE(shot.pixelColor(10, 40), QColor(Qt::black));
        QCOMPARE(shot.pixelColor(5, 5), QColor(Qt::white));
    }

    void toolDrawsAShapeAndOpensTheDialog()
    {
        CardPanelHost h;
        registerCardClasses();
        int shown = 0;
        {
            const ScopedModalRunner runner([&](QDialog &dialog) {
                shown += qobject_cast<TSuperShapeProperties *>(&dialog) != nullptr;
                return int(QDialog::Rejected);
            });
            h.panel->SetPanelState(psSuperShape);
            h.drag(QPoint(30, 30), QPoint(130, 110));
        }
        QCOMPARE(shown, 1);
        QCOMPARE(h.panel->ObjectCount(), 1);
        auto *shape = qobject_cast<TSuperShape *>(h.panel->Objects().first());
        QVERIFY(shape);
        // Cancelled at once: the red-to-blue five-pointed star of the drawn size.
        QCOMPARE(shape->BoundsRect(), QRect(30, 30, 100, 80));
        QCOMPARE(shape->Shape(), gstStar);
        QCOMPARE(shape->GradientBitmap().size(), QSize(100, 80));
        QCOMPARE(shape->Name(), QString("Special1"));
    }

    void helpTopicsHavePages()
    {
        TSuperShapeProperties d;
        TGBrushImageBrowser b;
        QVERIFY(HelpTopicPage(40011).toString().endsWith("supershape.html"));
        QVERIFY(HelpTopicPage(40012).toString().endsWith("textures.html"));
        QCOMPARE(d.windowTitle(), QString("Super Shape Properties"));
    }
};

QTEST_MAIN(TestSuperShapeDialog)
#include "tst_supershape_dialog.moc"
