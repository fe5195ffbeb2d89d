#include "LabelImages.h"
#include "app/CardClasses.h"

#include "design/CardDocument.h"
#include "design/ComponentStreamer.h"
#include "design/TGBusinessCardPanel32.h"
#include "objects/TGBusinessCardLabel.h"
#include "objects/TGFont3DEffects.h"
#include "objects/TGetLabelText.h"
#include "platform/HelpTopics.h"
#include "platform/ScreenMetrics.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// A label kept in a card document, and the help behind its dialogs.
class TestLabelDocument : public QObject
{
    Q_OBJECT

private:
    static TGBusinessCardLabel *addLabel(TGBusinessCardPanel32 &panel)
    {
        auto *label = new TGBusinessCardLabel(&panel);
        label->Loaded();
        panel.PlaceObject(label, QRect(12, 20, 200, 40));
        return label;
    }

private slots:
    void initTestCase()
    {
        ScreenMetrics::setOverride(96);
        registerCardClasses();
        installComponentStreamer();
    }

    void savedLabelReopensLookingTheSame()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("card.kvl");
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TGBusinessCardLabel *label = addLabel(panel);
        label->SetCaption("Saved & reopened");
        label->SetDepthShadow(2);
        label->SetDepthHighlight(1);
        label->SetDirectionHighlight(hdUp);
        label->SetcolorShadow(clMaroon);
        label->SetAlignment(taCenter);
        label->SetTransparent(false);
        label->SetBackColor(clYellow);
        label->SetBorderStyle(bsSingle);
        TFont font = label->Font();
        font.style = fsBold | fsItalic;
        font.color = clNavy;
        label->SetFont(font);
        const QImage before = LabelImages::render(*label);
        QString error;
        QVERIFY2(CardDocument::SaveToFile(panel, file, &error), qPrintable(error));

        TGBusinessCardPanel32 reopened;
        reopened.resize(336, 192);
        QVERIFY2(CardDocument::LoadFromFile(reopened, file, &error), qPrintable(error));
        QCOMPARE(reopened.ObjectCount(), 1);
        auto *copy = qobject_cast<TGBusinessCardLabel *>(reopened.Objects().first());
        QVERIFY(copy);
        QCOMPARE(copy->Caption(), label->Caption());
        QCOMPARE(copy->Font(), label->Font());
        QCOMPARE(copy->BoundsRect(), label->BoundsRect());
        QCOMPARE(LabelImages::render(*copy), before);
        QVERIFY(copy->PersonalInfoMenu());
    }

    void turnedLabelKeepsItsBoxWhenReopened()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("turned.kvl");
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TGBusinessCardLabel *label = addLabel(panel);
        label->SetAngle(270);
        label->RecalcLayout();
        const QRect bounds = label->BoundsRect();
        QVERIFY(CardDocument::SaveToFile(panel, file));
        TGBusinessCardPanel32 reopened;
        reopened.resize(336, 192);
        QVERIFY(CardDocument::LoadFromFile(reopened, file));
        auto *copy = qobject_cast<TGBaseLabel *>(reopened.Objects().first());
        QCOMPARE(copy->Angle(), 270);
        QCOMPARE(copy->BoundsRect(), bounds);
    }

    void dialogHelpButtonsHaveTheirPages()
    {
        TGPLabel label;
        TGetLabelText text("x");
        TGFont3DEffects effects(label);
        InitKarvelloResources();
        for (int topic : {TGetLabelText::HelpTopicNumber, TGFont3DEffects::HelpTopicNumber}) {
            const QUrl page = HelpTopicPage(topic);
            QVERIFY(page != HelpContentsPage());
            QVERIFY2(QFile::exists(":" + page.path()), qPrintable(page.toString()));
        }
        QCOMPARE(TGetLabelText::HelpTopicNumber, 40004);
        QCOMPARE(TGFont3DEffects::HelpTopicNumber, 40008);
    }
};

QTEST_MAIN(TestLabelDocument)
#include "tst_label_document.moc"
