#include "widgets/TColorDrop.h"

#include <QSignalSpy>
#include <QtTest>

// The colour drop-down: its named colours, choosing by value and swatches.
class TestColorDrop : public QObject
{
    Q_OBJECT

private slots:
    void listsTheEighteenNamedColoursInOrder()
    {
        TColorDrop drop;
        QCOMPARE(drop.count(), 18);
        QCOMPARE(drop.itemText(0), QString("Black"));
        QCOMPARE(drop.itemText(4), QString("Navy"));
        QCOMPARE(drop.itemText(15), QString("Light Gray"));
        QCOMPARE(drop.itemText(17), QString("White"));
        drop.setCurrentIndex(4);
        QCOMPARE(drop.Color(), TColor(0x800000));
        drop.setCurrentIndex(9);
        QCOMPARE(drop.Color(), TColor(0x0000FF));
    }

    void settingAColourSelectsTheFirstEntryWithIt()
    {
        TColorDrop drop;
        drop.SetColor(clSilver); // Silver and Light Gray share the value
        QCOMPARE(drop.currentText(), QString("Silver"));
        drop.SetColor(clDkGray);
        QCOMPARE(drop.currentText(), QString("Gray"));
    }

    void aColourOffTheListLeavesTheSelection()
    {
        TColorDrop drop;
        drop.SetColor(rgbColor(1, 2, 3));
        QCOMPARE(drop.currentIndex(), -1);
        drop.SetColor(clTeal);
        QSignalSpy changed(&drop, &TColorDrop::ColorChanged);
        drop.SetColor(clBtnFace);
        QCOMPARE(drop.currentText(), QString("Teal"));
        QCOMPARE(changed.count(), 0);
    }

    void choosingAnEntryReportsItsColour()
    {
        TColorDrop drop;
        QSignalSpy changed(&drop, &TColorDrop::ColorChanged);
        drop.setCurrentIndex(11);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().first().value<TColor>(), clYellow);
    }

    void eachEntryShowsASwatchOfItsColour()
    {
        TColorDrop drop;
        for (int i = 0; i < drop.count(); ++i) {
            const QImage swatch = drop.itemIcon(i).pixmap(16, 12).toImage();
            QCOMPARE(swatch.pixelColor(8, 6).rgb(),
                     Colors::toQColor(TColorDrop::NamedColors().at(i).second).rgb());
        }
    }
};

QTEST_MAIN(TestColorDrop)
#include "tst_colordrop.moc"
