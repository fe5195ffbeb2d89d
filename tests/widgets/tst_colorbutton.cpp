// The colour palette button, its palette window and the colour table.
#include "support/ScriptedDialogs.h"
#include "widgets/TColorArrayClass.h"
#include "widgets/TDFSColorButtonPaletteXP.h"
#include "widgets/TDFSXPColorButton.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using Palette = TDFSColorButtonPaletteXP;

class TestColorButton : public QObject
{
    Q_OBJECT

    // Runs `work` on the colour dialog once it is shown (inside its own
    // event loop), then makes sure the dialog is gone, so that a dialog that
    // ignores the test's input cannot hang the test.
    void whenColorDialogShows(std::function<void(QColorDialog &)> work)
    {
        auto *poll = new QTimer(this);
        poll->setInterval(20);
        QElapsedTimer waited;
        waited.start();
        connect(poll, &QTimer::timeout, this, [poll, waited, work = std::move(work)] {
            auto *dialog = qobject_cast<QColorDialog *>(QApplication::activeModalWidget());
            if ((!dialog || !dialog->isVisible()) && waited.elapsed() < 5000)
                return;
            poll->stop();
            poll->deleteLater();
            if (!dialog)
                return;
            if (QTest::qWaitForWindowExposed(dialog))
                work(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        poll->start();
    }

    // A real click on the palette's "&Other" button.
    static void clickOther(Palette &palette)
    {
        auto *other = palette.findChild<QPushButton *>();
        QVERIFY(other);
        QVERIFY(QTest::qWaitForWindowExposed(&palette));
        QTest::mouseClick(palette.windowHandle(), Qt::LeftButton, {}, other->geometry().center());
    }

private slots:

    void tableIndexesFromOneAndRefusesOutsideIndices()
    {
        TColorArrayClass t(4, 5);
        t.SetColor(2, 3, clRed);
        QCOMPARE(t.ColorAt(2 + (3 - 1) * 4), clRed);
        QCOMPARE(t.Count(), 20);
        for (auto [x, y] : {std::pair{0, 1}, {5, 1}, {1, 0}, {1, 6}}) {
            try {
                t.Color(x, y);
                QFAIL("no error for an index outside the table");
            } catch (const EColorArrayError &e) {
                QCOMPARE(QString(e.what()), QString("Array index out of bounds"));
            }
        }
        QVERIFY_THROWS_EXCEPTION(EColorArrayError, t.ColorAt(21));
        QVERIFY_THROWS_EXCEPTION(EColorArrayError, t.SetColorAt(0, clRed));
    }

    void tableStreamsSizesThenColoursColumnByColumn()
    {
        const TColorArrayClass presets = TDFSXPColorButton::DefaultPaletteColors();
        const auto values = presets.WriteValues();
        QCOMPARE(values.size(), 3);
        QCOMPARE(values[0].first, QString("XSize"));
        QCOMPARE(values[0].second.toInt(), 4);
        QCOMPARE(values[1].first, QString("YSize"));
        QCOMPARE(values[1].second.toInt(), 5);
        QCOMPARE(values[2].first, QString("Colors"));
        const QVariantList colors = values[2].second.toList();
        QCOMPARE(colors.size(), 20);
        // Column 1 from top to bottom first.
        const QList<TColor> column1{rgbColor(255, 255, 255), rgbColor(255, 0, 0), rgbColor(0, 255, 0),
                                    rgbColor(0, 0, 255), rgbColor(191, 215, 191)};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(TColor(colors[i].toInt()), column1[i]);
        QCOMPARE(TColor(colors[5].toInt()), rgbColor(0, 0, 0));
        QCOMPARE(TColor(colors[19].toInt()), rgbColor(159, 159, 159));

        TColorArrayClass read;
        read.ReadValues(values);
        QVERIFY(read == presets);
        read.SetColor(4, 5, clRed);
        QVERIFY(!(read == presets));

        // More colours than the table holds are refused.
        auto tooMany = values;
        QVariantList extra = colors;
        extra.append(0);
        tooMany[2].second = extra;
        TColorArrayClass damaged;
        QVERIFY_THROWS_EXCEPTION(EColorArrayError, damaged.ReadValues(tooMany));
    }

    void constructionValues()
    {
        TDFSXPColorButton b;
        QCOMPARE(b.size(), QSize(45, 22));
        QCOMPARE(b.text(), QString());
        QCOMPARE(b.Color(), clBlack);
        QCOMPARE(b.PaletteIndex(), 2); // black is preset (2, 1)
        QCOMPARE(b.OtherColor(), clBtnFace);
        QCOMPARE(b.OtherBtnCaption(), QString("&Other"));
        QVERIFY(b.ShowColorHints());
        QVERIFY(!b.CycleColors());
        QCOMPARE(b.CustomColors().XSize(), 8);
        QCOMPARE(b.CustomColors().YSize(), 2);
        for (int i = 1; i <= 16; ++i)
            QCOMPARE(b.CustomColors().ColorAt(i), clWhite);
        QCOMPARE(b.Swatch().size(), QSize(35, 12));
        QCOMPARE(b.Swatch().toImage().pixelColor(5, 5), QColor(Qt::black));
    }

    void settingTheColourFindsItsPresetAndReportsOnce()
    {
        TDFSXPColorButton b;
        QSignalSpy changed(&b, &TDFSXPColorButton::ColorChange);
        b.SetColor(rgbColor(255, 0, 0));
        QCOMPARE(b.PaletteIndex(), 5); // (1, 2)
        QCOMPARE(changed.count(), 1);
        b.SetColor(rgbColor(255, 0, 0));
        QCOMPARE(changed.count(), 1);
        b.SetColor(rgbColor(1, 2, 3));
        QCOMPARE(b.PaletteIndex(), 0);
        QCOMPARE(b.Swatch().toImage().pixelColor(0, 0), QColor(1, 2, 3));
    }

    void cycleColorsStepsThroughThePresets()
    {
        TDFSXPColorButton b;
        b.SetCycleColors(true);
        b.SetColor(rgbColor(1, 2, 3));
        QSignalSpy changed(&b, &TDFSXPColorButton::ColorChange);
        b.ClickAt(QPoint(5, 5));
        QCOMPARE(b.Color(), rgbColor(255, 255, 255));
        QCOMPARE(b.PaletteIndex(), 1);
        b.ClickAt(QPoint(5, 5));
        QCOMPARE(b.Color(), rgbColor(0, 0, 0));
        QCOMPARE(changed.count(), 2);
        QVERIFY(!b.Palette());
        // After the last preset comes the "other" colour.
        b.SetOtherColor(rgbColor(9, 9, 9));
        b.SetColor(rgbColor(159, 159, 159));
        QCOMPARE(b.PaletteIndex(), 20);
        b.ClickAt(QPoint(5, 5));
        QCOMPARE(b.PaletteIndex(), 0);
        QCOMPARE(b.Color(), rgbColor(9, 9, 9));
        // The right 13 pixels open the palette instead.
        b.ClickAt(QPoint(b.width() - 13, 5));
        QVERIFY(b.Palette());
        b.Palette()->close();
        QVERIFY(!b.Palette());
    }

    void selectingAPositionIgnoresTheCurrentAndInvalidOnes()
    {
        TDFSXPColorButton b;
        QSignalSpy changed(&b, &TDFSXPColorButton::ColorChange);
        b.SelectPalettePosition(2); // current
        b.SelectPalettePosition(-1);
        b.SelectPalettePosition(21);
        QCOMPARE(changed.count(), 0);
        b.SelectPalettePosition(7);
        QCOMPARE(b.Color(), rgbColor(255, 255, 0)); // (3, 2)
    }

    void paletteGeometryAndCells()
    {
        QCOMPARE(Palette::CellAt(QPoint(0, 0)), QPoint(1, 1));
        QCOMPARE(Palette::CellAt(QPoint(17, 17)), QPoint(1, 1));
        QCOMPARE(Palette::CellAt(QPoint(18, 89)), QPoint(2, 5));
        QCOMPARE(Palette::CellAt(QPoint(71, 0)), QPoint(4, 1));
        QCOMPARE(Palette::CellAt(QPoint(30, 92)), Palette::kNoCell);
        QCOMPARE(Palette::CellAt(QPoint(53, 96)), Palette::kOtherCell);
        QCOMPARE(Palette::CellAt(QPoint(71, 113)), Palette::kOtherCell);
        QCOMPARE(Palette::CellAt(QPoint(52, 100)), Palette::kNoCell); // on the "&Other" button
        QCOMPARE(Palette::CellAt(QPoint(60, 114)), Palette::kNoCell);

        Palette p(nullptr);
        QCOMPARE(p.size(), QSize(72, 121));
        p.SetPaletteColors(TDFSXPColorButton::DefaultPaletteColors());
        const QImage shot = p.grab().toImage();
        // Cell (2, 1) holds black inside its frames; the separator lines.
        QCOMPARE(shot.pixelColor(18 + 9, 9), QColor(Qt::black));
        QCOMPARE(shot.pixelColor(9, 18 + 9), QColor(255, 0, 0));
        QCOMPARE(shot.pixelColor(10, 93), Colors::toQColor(clBtnShadow));
        QCOMPARE(shot.pixelColor(10, 94), Colors::toQColor(clBtnHighlight));
    }

    void hintsShowTheRgbValuesAndCanBeRewritten()
    {
        Palette p(nullptr);
        p.SetPaletteColors(TDFSXPColorButton::DefaultPaletteColors());
        QCOMPARE(p.HintText(QPoint(1, 5)), QString("RGB = 191 215 191"));
        QCOMPARE(p.HintText(QPoint(2, 3)), QString("RGB = 000 127 000"));
        p.OnGetColorHintText = [](TColor, int x, int y, QString &hint) {
            hint += QString(" at %1,%2").arg(x).arg(y);
        };
        QCOMPARE(p.HintText(QPoint(2, 3)), QString("RGB = 000 127 000 at 2,3"));
    }

    void keyboardMovesTheHighlightAndEnterChooses()
    {
        Palette p(nullptr);
        p.SetPaletteColors(TDFSXPColorButton::DefaultPaletteColors());
        p.SetOtherColor(rgbColor(1, 1, 1));
        QList<QPair<TColor, bool>> chosen;
        p.OnColorChosen = [&](TColor c, bool other) { chosen.append({c, other}); };
        bool closedByKey = false;
        p.OnClosed = [&](bool byKey) { closedByKey = byKey; };

        QTest::keyClick(&p, Qt::Key_Down);
        QCOMPARE(p.Highlight(), QPoint(1, 1)); // nothing highlighted: any arrow starts at (1, 1)
        QTest::keyClick(&p, Qt::Key_Left);
        QCOMPARE(p.Highlight(), QPoint(1, 1)); // off the grid: ignored
        QTest::keyClick(&p, Qt::Key_Up);
        QCOMPARE(p.Highlight(), QPoint(1, 1));
        QTest::keyClick(&p, Qt::Key_Right);
        QTest::keyClick(&p, Qt::Key_Right);
        QTest::keyClick(&p, Qt::Key_Right);
        QTest::keyClick(&p, Qt::Key_Right);
        QCOMPARE(p.Highlight(), QPoint(4, 1));
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(&p, Qt::Key_Down);
        QCOMPARE(p.Highlight(), Palette::kOtherCell); // below the right column
        QTest::keyClick(&p, Qt::Key_Left);
        QCOMPARE(p.Highlight(), Palette::kOtherCell); // not sideways from the "other" cell
        QTest::keyClick(&p, Qt::Key_Down);
        QCOMPARE(p.Highlight(), Palette::kOtherCell);
        QTest::keyClick(&p, Qt::Key_Up);
        QTest::keyClick(&p, Qt::Key_Left);
        QCOMPARE(p.Highlight(), QPoint(3, 5));
        QTest::keyClick(&p, Qt::Key_Return);
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen[0].first, rgbColor(255, 247, 239));
        QVERIFY(!chosen[0].second);
        QVERIFY(closedByKey);
    }

    void escapeClosesWithoutChoosing()
    {
        Palette p(nullptr);
        int chosen = 0, closed = 0;
        p.OnColorChosen = [&](TColor, bool) { ++chosen; };
        p.OnClosed = [&](bool byKey) { closed += byKey ? 1 : 100; };
        p.SetHighlight(QPoint(2, 2));
        QTest::keyClick(&p, Qt::Key_Escape);
        QCOMPARE(chosen, 0);
        QCOMPARE(closed, 1);
    }

    void mouseHighlightsAndClickChoosesTheCell()
    {
        Palette p(nullptr);
        p.SetPaletteColors(TDFSXPColorButton::DefaultPaletteColors());
        p.SetOtherColor(rgbColor(4, 5, 6));
        QList<QPair<TColor, bool>> chosen;
        p.OnColorChosen = [&](TColor c, bool other) { chosen.append({c, other}); };
        bool closedByKey = true;
        p.OnClosed = [&](bool byKey) { closedByKey = byKey; };
        p.show();
        QTest::mouseMove(&p, QPoint(40, 60));
        QCOMPARE(p.Highlight(), QPoint(3, 4));
        QTest::mouseMove(&p, QPoint(40, 92));
        QCOMPARE(p.Highlight(), Palette::kNoCell);
        QTest::mouseClick(&p, Qt::LeftButton, {}, QPoint(60, 105));
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen[0].first, rgbColor(4, 5, 6));
        QVERIFY(chosen[0].second);
        QVERIFY(!closedByKey);
    }

    void highlightFindsTheColourWithSystemColoursResolved()
    {
        Palette p(nullptr);
        p.SetPaletteColors(TDFSXPColorButton::DefaultPaletteColors());
        p.HighlightColor(rgbColor(0, 0, 127));
        QCOMPARE(p.Highlight(), QPoint(2, 4));
        p.SetOtherColor(clBtnFace);
        p.HighlightColor(Colors::resolve(clBtnFace));
        QCOMPARE(p.Highlight(), Palette::kOtherCell);
        p.HighlightColor(rgbColor(3, 3, 3));
        QCOMPARE(p.Highlight(), Palette::kNoCell);
    }

    void paletteStaysOnTheScreenNearItsEdges()
    {
        const QRect work(0, 0, 800, 600);
        // Plenty of room: just below the button.
        QCOMPARE(Palette::PlaceBelow(QRect(100, 100, 45, 22), work), QPoint(100, 122));
        // Near the bottom: 121 pixels above the button's top.
        QCOMPARE(Palette::PlaceBelow(QRect(100, 500, 45, 22), work), QPoint(100, 379));
        // Left of the work area.
        QCOMPARE(Palette::PlaceBelow(QRect(-20, 100, 45, 22), work), QPoint(0, 122));
        // Past the right edge: 78 pixels left of the right edge.
        QCOMPARE(Palette::PlaceBelow(QRect(760, 100, 45, 22), work), QPoint(722, 122));
        // A work area that does not start at the origin (a panel on top).
        QCOMPARE(Palette::PlaceBelow(QRect(100, 560, 45, 22), QRect(0, 30, 800, 570)), QPoint(100, 439));
    }

    void choosingFromThePaletteSetsTheColourAndTheOtherColour()
    {
        TDFSXPColorButton b;
        b.show();
        b.ClickAt(QPoint(5, 5));
        QPointer<Palette> p = b.Palette();
        QVERIFY(p);
        QVERIFY(b.isDown());
        QCOMPARE(p->Highlight(), QPoint(2, 1)); // black
        QTest::mouseClick(p, Qt::LeftButton, {}, QPoint(9, 27)); // (1, 2) red
        QCOMPARE(b.Color(), rgbColor(255, 0, 0));
        QCOMPARE(b.OtherColor(), clBtnFace);
        QVERIFY(!b.Palette());
        QVERIFY(!b.isDown());
        QTRY_VERIFY(!p); // freed once closed

        ScopedScriptedDialogs dialogs;
        dialogs->colors.enqueue(rgbColor(10, 20, 30));
        QList<TColor> customBack(16, clWhite);
        customBack[0] = rgbColor(1, 2, 3);
        customBack[15] = rgbColor(4, 5, 6);
        dialogs->customColorAnswers.enqueue(customBack);
        b.SetColor(rgbColor(7, 8, 9));
        b.ClickAt(QPoint(5, 5));
        p = b.Palette();
        p->ChooseOtherColor();
        // The dialog starts at the button's colour, not at the "other" cell's.
        QCOMPARE(dialogs->colorRequests, QList<TColor>{rgbColor(7, 8, 9)});
        QCOMPARE(dialogs->customColorRequests.size(), 1);
        QCOMPARE(dialogs->customColorRequests[0].size(), 16);
        QCOMPARE(b.Color(), rgbColor(10, 20, 30));
        QCOMPARE(b.OtherColor(), rgbColor(10, 20, 30));
        QCOMPARE(b.CustomColors().Color(1, 1), rgbColor(1, 2, 3));
        QCOMPARE(b.CustomColors().Color(8, 2), rgbColor(4, 5, 6));
        QVERIFY(!b.Palette());
    }

    void cancelledColourDialogLeavesTheColourAndClosesThePalette()
    {
        TDFSXPColorButton b;
        b.show();
        ScopedScriptedDialogs dialogs;
        b.ClickAt(QPoint(5, 5));
        QPointer<Palette> p = b.Palette();
        p->ChooseOtherColor(); // no scripted colour: cancelled
        QVERIFY(!b.Palette());
        QVERIFY(!b.isDown());
        QCOMPARE(b.Color(), clBlack);
        QCOMPARE(b.OtherColor(), clBtnFace);
        QTRY_VERIFY(!p);
    }

    // Clicks and keys from here on go through the window system, as a
    // user's do, so that the pop-up's hold on the mouse and keys applies.
    void clickOnItsOwnButtonClosesThePaletteAndTheNextOneReopensIt()
    {
        QWidget window;
        auto *b = new TDFSXPColorButton(&window);
        b->move(20, 20);
        window.resize(200, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QPoint onButton = b->mapTo(&window, QPoint(10, 10));
        QCursor::setPos(window.mapToGlobal(onButton));

        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, onButton);
        QPointer<Palette> first = b->Palette();
        QVERIFY(first);
        QCOMPARE(QApplication::activePopupWidget(), first.data());
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, onButton);
        QVERIFY(!b->Palette()); // closed, not dropped down again
        QVERIFY(!b->isDown());
        QTRY_VERIFY(!first);

        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, onButton);
        QVERIFY(b->Palette()); // one click opens it again
        QTest::keyClick(b->Palette()->windowHandle(), Qt::Key_Escape);
        QVERIFY(!b->Palette());
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, onButton);
        QVERIFY(b->Palette());
        b->Palette()->close();
    }

    // "Other" with the real colour dialog, over a modal dialog as in the
    // property dialogs: the colour dialog must get the clicks and keys.
    void otherOpensAColourDialogThatTakesKeysAndClicks()
    {
        QDialog properties;
        auto *b = new TDFSXPColorButton(&properties);
        b->move(20, 20);
        properties.resize(240, 200);
        properties.setModal(true);
        properties.show();
        QVERIFY(QTest::qWaitForWindowExposed(&properties));
        b->SetColor(rgbColor(40, 80, 120));
        const QPoint onButton = b->mapTo(&properties, QPoint(10, 10));

        struct Seen {
            bool shown = false, popupGone = false, active = false, closedByEscape = false;
            QColor start;
        } seen;
        whenColorDialogShows([&](QColorDialog &dialog) {
            seen.shown = true;
            seen.start = dialog.currentColor();
            seen.popupGone = QApplication::activePopupWidget() == nullptr;
            seen.active = QApplication::activeWindow() == &dialog;
            QTest::keyClick(dialog.windowHandle(), Qt::Key_Escape);
            seen.closedByEscape = !dialog.isVisible();
        });
        QTest::mouseClick(properties.windowHandle(), Qt::LeftButton, {}, onButton);
        QPointer<Palette> palette = b->Palette();
        QVERIFY(palette);
        clickOther(*palette);
        if (palette && palette->isVisible()) // left open under the dialog
            palette->hide();
        QVERIFY(seen.shown);
        QCOMPARE(seen.start, QColor(40, 80, 120));
        QVERIFY(seen.popupGone);
        QVERIFY(seen.active);
        QVERIFY(seen.closedByEscape);
        QCOMPARE(b->Color(), rgbColor(40, 80, 120));
        QVERIFY(!b->Palette());

        // A colour taken with a click on OK becomes the button's colour and
        // the "other" cell's.
        bool closedByOk = false;
        whenColorDialogShows([&](QColorDialog &dialog) {
            dialog.setCurrentColor(QColor(200, 100, 50));
            auto *box = dialog.findChild<QDialogButtonBox *>();
            QPushButton *ok = box ? box->button(QDialogButtonBox::Ok) : nullptr;
            if (!ok)
                return;
            QTest::mouseClick(dialog.windowHandle(), Qt::LeftButton, {},
                              ok->mapTo(&dialog, ok->rect().center()));
            closedByOk = !dialog.isVisible();
        });
        QTest::mouseClick(properties.windowHandle(), Qt::LeftButton, {}, onButton);
        QVERIFY(b->Palette());
        clickOther(*b->Palette());
        QVERIFY(closedByOk);
        QCOMPARE(b->Color(), rgbColor(200, 100, 50));
        QCOMPARE(b->OtherColor(), rgbColor(200, 100, 50));
        QVERIFY(!b->Palette());
        QVERIFY(!b->isDown());
    }

    void sixteenColourScreensUseTheDeviceColours()
    {
        const TColorArrayClass t = TDFSXPColorButton::DefaultPaletteColors(16);
        QCOMPARE(t.Color(1, 1), clBlack);
        QCOMPARE(t.Color(1, 2), clMaroon);
        QCOMPARE(t.Color(2, 1), clPurple);
        QCOMPARE(t.Color(4, 1), clWhite);
    }
};

QTEST_MAIN(TestColorButton)
#include "tst_colorbutton.moc"
