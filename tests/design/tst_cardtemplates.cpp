#include "CardPanelHost.h"

#include "design/CardTemplates.h"
#include "design/Properties.h"
#include "objects/TGBusinessCardLabel.h"
#include "objects/TGMultiLineLabel.h"
#include "platform/EditControlWrap.h"
#include "platform/IniFile.h"
#include "platform/Picture.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

namespace {

TGBusinessCardLabel *addLabel(TGBusinessCardPanel32 &panel, const QString &caption, QRect r)
{
    auto *label = new TGBusinessCardLabel(&panel);
    label->SetCaption(caption);
    label->Loaded();
    panel.PlaceObject(label, r);
    return label;
}

QStringList captions(const TGBusinessCardPanel32 &panel)
{
    QStringList list;
    for (TGGraphicControl *o : panel.Objects())
        if (auto *label = qobject_cast<TGBusinessCardLabel *>(o))
            list << label->Caption();
    return list;
}

QStringList classes(const TGBusinessCardPanel32 &panel)
{
    QStringList list;
    for (TGGraphicControl *o : panel.Objects())
        list << QString::fromLatin1(o->metaObject()->className());
    return list;
}

bool writeText(const QString &path, const QByteArray &text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TGMultiLineLabel *addLines(TGBusinessCardPanel32 &panel, const QStringList &items, QRect r, bool wrap)
{
    auto *label = new TGMultiLineLabel(&panel);
    label->SetItems(items);
    label->Loaded();
    panel.PlaceObject(label, r);
    label->SetWordWrap(wrap);
    return label;
}

} // namespace

class TestCardTemplates : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { registerCardClasses(); }
    void cleanup() { ScreenMetrics::setOverride(96); }
    void labelsShapesAndLinesAreWrittenTopmostFirst();
    void personalValuesFillTheNamedLabels();
    void missingAndBlankCaptions();
    void readingOrderGivesZOrderAndLimitsSections();
    void templateWrittenAt120PpiReadsBackAtItsSize();
    void coordinatesBeyondTheIntRangeAreHeldToTheLimit();
    void badColourEndsReadingWithPaintingResumed();
    void backgroundNameMustBeAPlainFileName();
    void logoPlaceholderIsACircleWithWords();
    void allTextFontsKeepSizeStyleAndSkipOtherObjects();
    void wordWrapLabelsReadAsWrappedMultiLineText();
    void multiLineTextIsWrittenAsATextLabel();
    void templatesWithoutWrappedTextAreWrittenAsBefore();
};

void TestCardTemplates::labelsShapesAndLinesAreWrittenTopmostFirst()
{
    CardPanelHost host;
    TGBusinessCardPanel32 &panel = *host.panel;
    TBCShapes *shape = host.addShape(QRect(4, 6, 100, 50), stRoundRect);
    shape->SetRoundPerc(40);
    host.addLine(QRect(10, 90, 200, 8));
    TGBusinessCardLabel *name = addLabel(panel, QStringLiteral("your own NAME"), QRect(20, 20, 120, 24));
    TFont font = name->Font();
    font.style = fsBold | fsItalic | fsStrikeOut;
    font.setSize(14, 96);
    font.color = TColor(0x00123456);
    name->SetFont(font);
    addLabel(panel, QStringLiteral("Free text"), QRect(20, 50, 80, 20));
    addLabel(panel, QStringLiteral("More text"), QRect(20, 80, 80, 20));
    panel.SetPortrait(true);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("t.KVLT"));
    QVERIFY(writeText(file, "[Stale]\nKey=1\n"));
    QVERIFY(panel.WriteTemplate(file, QStringLiteral("/somewhere/bg/Marble.JPG")));
    const IniFile ini(file);
    QVERIFY(!ini.sectionExists(QStringLiteral("Stale"))); // the old file is replaced
    QCOMPARE(ini.readString("Name", "Caption"), QStringLiteral("your own NAME"));
    QCOMPARE(ini.readString("Name", "Font Style"), QStringLiteral("[fsBold,fsItalic]"));
    QCOMPARE(ini.readInteger("Name", "Font Size", 0), 14);
    QCOMPARE(ini.readString("Name", "Font Color"), QStringLiteral("$00123456"));
    QCOMPARE(ini.readString("Name", "Shadow Color"), QStringLiteral("clGray"));
    QCOMPARE(ini.readSection("Name").first(), QStringLiteral("Type"));
    // Topmost first: the last label drawn takes "Label1".
    QCOMPARE(ini.readString("Label1", "Caption"), QStringLiteral("More text"));
    QCOMPARE(ini.readString("Label2", "Caption"), QStringLiteral("Free text"));
    QCOMPARE(ini.readString("Shape1", "Type"), QStringLiteral("stRoundRect"));
    QCOMPARE(ini.readInteger("Shape1", "Round Percent", 0), 40);
    QCOMPARE(ini.readInteger("Shape1", "Left", 0), 4);
    QCOMPARE(ini.readString("Line1", "Type"), QStringLiteral("psLine"));
    QCOMPARE(ini.readInteger("Line1", "Width", 0), 200);
    QCOMPARE(ini.readString("Card Data", "Portrait Mode"), QStringLiteral("1"));
    QCOMPARE(ini.readString("Card Data", "Background File"), QStringLiteral("Marble.JPG"));

    // Read back: the style and size survive, "Round Percent" is not read.
    CardPanelHost other;
    QString error;
    QCOMPARE(other.panel->ReadTemplate(file, &error), QStringLiteral("Marble.JPG"));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(other.panel->Portrait());
    QCOMPARE(classes(*other.panel),
             (QStringList{"TBCShapes", "TGLineShape", "TGBusinessCardLabel", "TGBusinessCardLabel",
                          "TGBusinessCardLabel"}));
    auto *readShape = qobject_cast<TBCShapes *>(other.panel->Objects()[0]);
    QCOMPARE(readShape->Shape(), stRoundRect);
    QCOMPARE(readShape->RoundPerc(), 25);
    QCOMPARE(readShape->BoundsRect(), QRect(4, 6, 100, 50));
    auto *readName = qobject_cast<TGBusinessCardLabel *>(other.panel->Objects()[2]);
    QCOMPARE(readName->Font().style, TFontStyles(fsBold | fsItalic));
    QCOMPARE(readName->Font().size(96), 14);
    QCOMPARE(readName->Font().color, TColor(0x00123456));
}

void TestCardTemplates::personalValuesFillTheNamedLabels()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("t.kvlt"));
    {
        CardPanelHost host;
        addLabel(*host.panel, QStringLiteral("Your Own Name"), QRect(10, 10, 100, 20));
        addLabel(*host.panel, QStringLiteral("email address"), QRect(10, 40, 100, 20));
        QVERIFY(host.panel->WriteTemplate(file, QString()));
    }
    CardPanelHost host;
    QStringList personal(10);
    personal[0] = QStringLiteral("Jane Doe");
    personal[8] = QStringLiteral("   ");
    host.panel->SetPersonalInformation(personal);
    QCOMPARE(host.panel->ReadTemplate(file), QString());
    QCOMPARE(captions(*host.panel), (QStringList{"Jane Doe", "email address"}));

    host.panel->RemoveAllObjects();
    host.panel->SetPersonalInformation({});
    host.panel->ReadTemplate(file);
    QCOMPARE(captions(*host.panel), (QStringList{"Your Own Name", "email address"}));
}

void TestCardTemplates::missingAndBlankCaptions()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("t.kvlt"));
    QVERIFY(writeText(file, "[Name]\nLeft=1\nTop=1\nWidth=50\nHeight=20\n"
                            "[Company]\nCaption=   \nLeft=1\nTop=30\nWidth=50\nHeight=20\n"
                            "[Label1]\nCaption=   \nLeft=1\nTop=60\nWidth=50\nHeight=20\n"
                            "[Label2]\nCaption=skipped\nLeft=1\nTop=60\nWidth=0\nHeight=20\n"));
    CardPanelHost host;
    host.panel->ReadTemplate(file);
    // INI values lose their outer blanks, so a generic label of blanks is empty.
    QCOMPARE(captions(*host.panel), (QStringList{"<blank>", "<Company>", ""}));
    auto *name = qobject_cast<TGBusinessCardLabel *>(host.panel->Objects()[0]);
    QCOMPARE(name->Font().name, QStringLiteral("Arial"));
    QCOMPARE(name->Font().size(96), 10);
    QVERIFY(name->Transparent());
    QCOMPARE(name->colorHighlight(), clWhite);
}

void TestCardTemplates::readingOrderGivesZOrderAndLimitsSections()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("t.kvlt"));
    QByteArray text = "[Label1]\nCaption=generic\nLeft=1\nTop=1\nWidth=40\nHeight=20\n"
                      "[Fax]\nCaption=fax\nLeft=1\nTop=1\nWidth=40\nHeight=20\n"
                      "[Line1]\nLeft=1\nTop=1\nWidth=40\nHeight=4\n";
    for (int n = 1; n <= 16; ++n)
        text += QStringLiteral("[Shape%1]\nLeft=%1\nTop=1\nWidth=40\nHeight=20\n").arg(n).toLatin1();
    QVERIFY(writeText(file, text));
    CardPanelHost host;
    host.panel->ReadTemplate(file);
    const QStringList kinds = classes(*host.panel);
    QCOMPARE(kinds.size(), 15 + 1 + 2);
    QCOMPARE(kinds.count(QStringLiteral("TBCShapes")), 15); // the 16th is ignored
    QCOMPARE(kinds.mid(15), (QStringList{"TGLineShape", "TGBusinessCardLabel", "TGBusinessCardLabel"}));
    QCOMPARE(captions(*host.panel), (QStringList{"fax", "generic"}));
    auto *shape = qobject_cast<TBCShapes *>(host.panel->Objects()[0]);
    QVERIFY(shape->Transparent());
    QCOMPARE(shape->Brush().style, bsClear);
    QCOMPARE(shape->Pen().width, 1);
}

void TestCardTemplates::templateWrittenAt120PpiReadsBackAtItsSize()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("t.kvlt"));
    ScreenMetrics::setOverride(120);
    {
        CardPanelHost host;
        ScreenMetrics::setOverride(120);
        host.addShape(QRect(121, 60, 240, 125));
        QVERIFY(host.panel->WriteTemplate(file, QString()));
    }
    const IniFile ini(file);
    QCOMPARE(ini.readInteger("Shape1", "Left", 0), 97); // 96.8
    QCOMPARE(ini.readInteger("Shape1", "Width", 0), 192);
    QCOMPARE(ini.readInteger("Shape1", "Height", 0), 100);
    {
        CardPanelHost host;
        ScreenMetrics::setOverride(120);
        host.panel->ReadTemplate(file);
        QCOMPARE(host.panel->Objects()[0]->BoundsRect(), QRect(121, 60, 240, 125));
    }
    // Half-way values round to even on reading at 120 (×1.25).
    QCOMPARE(CardTemplates::FromTemplatePixels(2, 120, 1.0), 2);   // 2.5
    QCOMPARE(CardTemplates::FromTemplatePixels(6, 120, 1.0), 8);   // 7.5
    QCOMPARE(CardTemplates::ToTemplatePixels(150, 96, 1.5), 100);  // zoomed card
}

void TestCardTemplates::coordinatesBeyondTheIntRangeAreHeldToTheLimit()
{
    using CardTemplates::FromTemplatePixels;
    constexpr int limit = CardTemplates::MaxTemplateCoordinate;
    constexpr int most = std::numeric_limits<int>::max();
    constexpr int least = std::numeric_limits<int>::min();
    QCOMPARE(FromTemplatePixels(most, 96, 1.0), limit);
    QCOMPARE(FromTemplatePixels(least, 96, 1.0), -limit);
    QCOMPARE(FromTemplatePixels(most, 120, 1.5), limit * 120 / 96 * 3 / 2);
    QCOMPARE(FromTemplatePixels(least, 120, 1.5), -limit * 120 / 96 * 3 / 2);
    QCOMPARE(FromTemplatePixels(limit, 120, 1.0), limit * 120 / 96); // the limit itself is kept
    QCOMPARE(CardTemplates::ToTemplatePixels(most, 72, 1.0), most);

    // A damaged template still gives an object whose edges fit.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("t.kvlt"));
    QVERIFY(writeText(file, "[Shape1]\nLeft=2147483647\nTop=-2147483648\nWidth=2147483647\n"
                            "Height=99999999999\n"));
    ScreenMetrics::setOverride(120);
    CardPanelHost host;
    ScreenMetrics::setOverride(120);
    host.panel->ReadTemplate(file);
    QCOMPARE(host.panel->ObjectCount(), 1);
    const QRect r = host.panel->Objects()[0]->BoundsRect();
    QCOMPARE(r.left(), limit * 120 / 96);
    QCOMPARE(r.top(), -limit * 120 / 96);
    QCOMPARE(r.width(), limit * 120 / 96);
    QVERIFY(r.right() > r.left());
}

void TestCardTemplates::badColourEndsReadingWithPaintingResumed()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("t.kvlt"));
    QVERIFY(writeText(file, "[Shape1]\nLeft=1\nTop=1\nWidth=40\nHeight=20\n"
                            "[Line1]\nLeft=1\nTop=1\nWidth=40\nHeight=4\nPen Color=reddish\n"
                            "[Name]\nLeft=1\nTop=1\nWidth=40\nHeight=20\n"
                            "[Card Data]\nBackground File=x.bmp\n"));
    CardPanelHost host;
    QString error;
    QCOMPARE(host.panel->ReadTemplate(file, &error), QString());
    QVERIFY(error.contains(QStringLiteral("Line1")));
    QVERIFY(error.contains(QStringLiteral("Pen Color")));
    QVERIFY(!host.panel->PaintingSuppressed());
    QCOMPARE(classes(*host.panel).first(), QStringLiteral("TBCShapes"));
    QVERIFY(!classes(*host.panel).contains(QStringLiteral("TGBusinessCardLabel")));
    // The card stays usable: a good template reads afterwards.
    QVERIFY(writeText(file, "[Shape1]\nLeft=1\nTop=1\nWidth=40\nHeight=20\nPen Color=$000000FF\n"));
    QCOMPARE(host.panel->ReadTemplate(file, &error), QString());
    QVERIFY(error.isEmpty());
    QCOMPARE(qobject_cast<TBCShapes *>(host.panel->Objects().last())->Pen().color, TColor(0xFF));
}

void TestCardTemplates::backgroundNameMustBeAPlainFileName()
{
    QCOMPARE(CardTemplates::SafeBackgroundName(QStringLiteral(" Marble.jpg ")), QStringLiteral("Marble.jpg"));
    QCOMPARE(CardTemplates::SafeBackgroundName(QStringLiteral("../../etc/passwd")), QString());
    QCOMPARE(CardTemplates::SafeBackgroundName(QStringLiteral("..")), QString());
    QCOMPARE(CardTemplates::SafeBackgroundName(QStringLiteral("C:\\bg\\x.bmp")), QString());
    QCOMPARE(CardTemplates::SafeBackgroundName(QStringLiteral("/tmp/x.bmp")), QString());
}

void TestCardTemplates::logoPlaceholderIsACircleWithWords()
{
    // A see-through vector drawing: sharp when drawn large, clear outside.
    TPicture picture;
    QString error;
    QVERIFY2(picture.FromData(CardTemplates::LogoPlaceholderData(), &error), qPrintable(error));
    QVERIFY(picture.IsSvg());
    QImage logo(480, 480, QImage::Format_ARGB32_Premultiplied);
    logo.fill(Qt::transparent);
    {
        QPainter painter(&logo);
        picture.Svg()->Play(painter, QRectF(0, 0, 480, 480));
    }
    QCOMPARE(qAlpha(logo.pixel(5, 5)), 0);  // outside the circle
    QCOMPARE(qAlpha(logo.pixel(240, 240)), 0); // inside, between the words
    QVERIFY(qAlpha(logo.pixel(240, 3)) > 200); // the circle's top
    QVERIFY(qGray(logo.pixel(240, 3)) < 60);
    int ink = 0;
    for (int y = 120; y < 210; ++y)
        for (int x = 100; x < 380; ++x)
            ink += qAlpha(logo.pixel(x, y)) > 128;
    QVERIFY(ink > 1000); // "YOUR"
    QVERIFY(CardTemplates::LogoPlaceholderData().startsWith("\x09TSvgImage<svg"));

    // With a picture class in the build, the logo is half an inch square on top.
    if (!TGClassRegistry::find(QStringLiteral("TGImage")))
        QSKIP("No picture object class in this build");
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("t.kvlt"));
    QVERIFY(writeText(file, "[Logo]\nLeft=30\nTop=20\nWidth=300\nHeight=10\n"
                            "[Shape1]\nLeft=1\nTop=1\nWidth=40\nHeight=20\n"));
    CardPanelHost host;
    host.panel->ReadTemplate(file);
    QCOMPARE(classes(*host.panel).last(), QStringLiteral("TGImage"));
    QCOMPARE(host.panel->Objects().last()->BoundsRect(), QRect(30, 20, 48, 48));
}

void TestCardTemplates::allTextFontsKeepSizeStyleAndSkipOtherObjects()
{
    CardPanelHost host;
    TGBusinessCardPanel32 &panel = *host.panel;
    QSignalSpy changes(&panel, &TGBasePanel::LabelChangedEvent);
    host.addShape(QRect(1, 1, 30, 30));
    changes.clear();
    panel.SetAllTextFonts(QStringLiteral("Courier New"));
    QCOMPARE(changes.count(), 0); // nothing to change

    TGBusinessCardLabel *label = addLabel(panel, QStringLiteral("A"), QRect(10, 10, 60, 20));
    TFont font = label->Font();
    font.style = fsBold;
    font.setSize(14, 96);
    font.color = clRed;
    label->SetFont(font);
    auto *plain = new TGPLabel(&panel); // not a card text label
    plain->Loaded();
    panel.PlaceObject(plain, QRect(10, 40, 60, 20));
    const TFont plainFont = plain->Font();
    changes.clear();
    panel.SetAllTextFonts(QStringLiteral("Courier New"));
    QVERIFY(changes.count() >= 1);
    QCOMPARE(label->Font().name, QStringLiteral("Courier New"));
    QCOMPARE(label->Font().style, TFontStyles(fsBold));
    QCOMPARE(label->Font().size(96), 14);
    QCOMPARE(label->Font().color, clRed);
    QCOMPARE(plain->Font(), plainFont);
}

void TestCardTemplates::wordWrapLabelsReadAsWrappedMultiLineText()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("t.kvlt"));
    // The values a multi-line label cannot show (shadow, angle, background) are left aside.
    QVERIFY(writeText(file, "[Name]\nType=psLabel\nCaption=Your Own Name\nLeft=16\nTop=40\nWidth=160\n"
                            "Height=34\nFont Name=Arial\nFont Size=9\nFont Color=$00503b26\n"
                            "Font Style=[fsBold]\nAlignment=2\nShadow Depth=3\nAngle=270\nTransparent=0\n"
                            "Background Color=clRed\nWord Wrap=1\n"
                            "[Address1]\nCaption=Address Line One\nLeft=16\nTop=80\nWidth=160\nHeight=14\n"
                            "Word Wrap=0\n"
                            "[Label1]\nCaption=Free text wraps too\nLeft=16\nTop=100\nWidth=60\nHeight=60\n"
                            "Font Size=8\nWord Wrap=1\n"
                            "[Card Data]\nPortrait Mode=1\n"));
    CardPanelHost host(QSize(192, 336));
    QStringList personal(10);
    personal[0] = QStringLiteral("Alexandra Catherine Whitfield-Jones");
    host.panel->SetPersonalInformation(personal);
    QString error;
    host.panel->ReadTemplate(file, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(classes(*host.panel), (QStringList{"TGMultiLineLabel", "TGBusinessCardLabel", "TGMultiLineLabel"}));
    QCOMPARE(captions(*host.panel), QStringList{"Address Line One"});

    auto *name = qobject_cast<TGMultiLineLabel *>(host.panel->Objects()[0]);
    QCOMPARE(name->Items(), QStringList{personal[0]});
    QVERIFY(name->WordWrap());
    QCOMPARE(name->BoundsRect(), QRect(16, 40, 160, 34));
    QCOMPARE(name->Font().name, QStringLiteral("Arial"));
    QCOMPARE(name->Font().size(96), 9);
    QCOMPARE(name->Font().style, TFontStyles(fsBold));
    QCOMPARE(name->Font().color, TColor(0x00503b26));
    QCOMPARE(name->Alignment(), taCenter);
    QCOMPARE(name->WrappedLines(), EditControlWrap::wrap(personal[0], name->Font(), 96, 160));
    QCOMPARE(name->WrappedLines().size(), 2);

    auto *free = qobject_cast<TGMultiLineLabel *>(host.panel->Objects()[2]);
    QCOMPARE(free->Items(), QStringList{"Free text wraps too"});
    QCOMPARE(free->Font().size(96), 8);
    QCOMPARE(free->Alignment(), taLeftJustify);
    const QStringList arial = free->WrappedLines();
    QCOMPARE(arial, EditControlWrap::wrap("Free text wraps too", free->Font(), 96, 60));
    QVERIFY(arial.size() >= 2);
    // A font for all text (the template chooser's) wraps the lines anew.
    host.panel->SetAllTextFonts(QStringLiteral("Courier New"));
    QCOMPARE(free->WrappedLines(), EditControlWrap::wrap("Free text wraps too", free->Font(), 96, 60));
    QVERIFY(free->WrappedLines() != arial);
}

// Multi-line text goes into a template as a text label of its lines joined
// by spaces; word-wrapped text says so and reads back wrapped.
void TestCardTemplates::multiLineTextIsWrittenAsATextLabel()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("t.kvlt"));
    const QString again = dir.filePath(QStringLiteral("again.kvlt"));
    {
        CardPanelHost host;
        TGBusinessCardPanel32 &panel = *host.panel;
        host.addShape(QRect(4, 6, 100, 50));
        addLines(panel, {"Your Own Name"}, QRect(20, 110, 200, 30), true);
        TGMultiLineLabel *wrapped =
            addLines(panel, {"Northwind Landscape", "Architecture Company"}, QRect(20, 20, 120, 60), true);
        TFont font = wrapped->Font();
        font.name = QStringLiteral("Times New Roman");
        font.style = fsBold | fsItalic;
        font.setSize(9, 96);
        font.color = TColor(0x00123456);
        wrapped->SetFont(font);
        wrapped->SetAlignment(taCenter);
        QVERIFY(panel.WriteTemplate(file, QString()));
    }
    const IniFile ini(file);
    QCOMPARE(ini.readSection("Label1"),
             (QStringList{"Type", "Caption", "Left", "Top", "Width", "Height", "Font Name", "Font Size",
                          "Font Color", "Font Style", "Alignment", "Highlight Depth", "Shadow Depth",
                          "Highlight Direction", "Shadow Direction", "Highlight Color", "Shadow Color", "Angle",
                          "Transparent", "Background Color", "Border Style", "Word Wrap"}));
    QCOMPARE(ini.readString("Label1", "Type"), QStringLiteral("psLabel"));
    QCOMPARE(ini.readString("Label1", "Caption"), QStringLiteral("Northwind Landscape Architecture Company"));
    QCOMPARE(ini.readString("Label1", "Font Name"), QStringLiteral("Times New Roman"));
    QCOMPARE(ini.readString("Label1", "Font Style"), QStringLiteral("[fsBold,fsItalic]"));
    QCOMPARE(ini.readString("Label1", "Alignment"), QStringLiteral("2"));
    QCOMPARE(ini.readString("Label1", "Angle"), QStringLiteral("0"));
    QCOMPARE(ini.readString("Label1", "Word Wrap"), QStringLiteral("1"));
    QCOMPARE(ini.readString("Name", "Caption"), QStringLiteral("Your Own Name"));
    QCOMPARE(ini.readString("Name", "Word Wrap"), QStringLiteral("1"));

    // Read back: the same objects, and written again the same file.
    CardPanelHost other;
    other.panel->ReadTemplate(file);
    QCOMPARE(classes(*other.panel), (QStringList{"TBCShapes", "TGMultiLineLabel", "TGMultiLineLabel"}));
    auto *read = qobject_cast<TGMultiLineLabel *>(other.panel->Objects()[2]);
    QCOMPARE(read->Items(), QStringList{"Northwind Landscape Architecture Company"});
    QVERIFY(read->WordWrap());
    QCOMPARE(read->BoundsRect(), QRect(20, 20, 120, 60));
    QCOMPARE(read->Font().name, QStringLiteral("Times New Roman"));
    QCOMPARE(read->Font().style, TFontStyles(fsBold | fsItalic));
    QCOMPARE(read->Font().color, TColor(0x00123456));
    QCOMPARE(read->Alignment(), taCenter);
    QVERIFY(read->WrappedLines().size() >= 2);
    QVERIFY(other.panel->WriteTemplate(again, QString()));
    QCOMPARE(readBytes(again), readBytes(file));

    // Without word wrap the line breaks cannot be kept; the text, font and box are.
    CardPanelHost lines;
    addLines(*lines.panel, {"First line", "second line"}, QRect(20, 70, 200, 30), false);
    QVERIFY(lines.panel->WriteTemplate(file, QString()));
    const IniFile plain(file);
    QCOMPARE(plain.readString("Label1", "Caption"), QStringLiteral("First line second line"));
    QCOMPARE(plain.readString("Label1", "Word Wrap", QStringLiteral("none")), QStringLiteral("none"));
    lines.panel->RemoveAllObjects();
    lines.panel->ReadTemplate(file);
    QCOMPARE(classes(*lines.panel), QStringList{"TGBusinessCardLabel"});
    QCOMPARE(captions(*lines.panel), QStringList{"First line second line"});
    QCOMPARE(lines.panel->Objects()[0]->BoundsRect(), QRect(20, 70, 200, 30));
}

// A card without multi-line text gives the file it gave before templates
// knew wrapped text, byte for byte, and so does that file read and written.
void TestCardTemplates::templatesWithoutWrappedTextAreWrittenAsBefore()
{
    const QByteArray expected =
        "[Label1]\n"
        "Type=psLabel\n"
        "Caption=Free text\n"
        "Left=20\n"
        "Top=50\n"
        "Width=80\n"
        "Height=20\n"
        "Font Name=Arial\n"
        "Font Size=10\n"
        "Font Color=clBlack\n"
        "Font Style=[]\n"
        "Alignment=0\n"
        "Highlight Depth=0\n"
        "Shadow Depth=0\n"
        "Highlight Direction=4\n"
        "Shadow Direction=3\n"
        "Highlight Color=clAqua\n"
        "Shadow Color=clGray\n"
        "Angle=0\n"
        "Transparent=0\n"
        "Background Color=clYellow\n"
        "Border Style=0\n"
        "\n"
        "[Name]\n"
        "Type=psLabel\n"
        "Caption=Your Own Name\n"
        "Left=20\n"
        "Top=20\n"
        "Width=160\n"
        "Height=20\n"
        "Font Name=Arial\n"
        "Font Size=10\n"
        "Font Color=clBlack\n"
        "Font Style=[]\n"
        "Alignment=2\n"
        "Highlight Depth=0\n"
        "Shadow Depth=2\n"
        "Highlight Direction=4\n"
        "Shadow Direction=3\n"
        "Highlight Color=clAqua\n"
        "Shadow Color=$00336699\n"
        "Angle=0\n"
        "Transparent=1\n"
        "Background Color=clWhite\n"
        "Border Style=0\n"
        "\n"
        "[Line1]\n"
        "Type=psLine\n"
        "Left=10\n"
        "Top=90\n"
        "Width=200\n"
        "Height=15\n"
        "Line Style=0\n"
        "Pen Color=clBlack\n"
        "Pen Width=1\n"
        "\n"
        "[Shape1]\n"
        "Type=stEllipse\n"
        "Left=4\n"
        "Top=6\n"
        "Width=100\n"
        "Height=50\n"
        "Transparent=0\n"
        "Round Percent=25\n"
        "Shape=4\n"
        "Brush Style=0\n"
        "Brush Color=clWhite\n"
        "Pen Color=clBlack\n"
        "Pen Width=1\n"
        "\n"
        "[Card Data]\n"
        "Portrait Mode=0\n"
        "Background File=Marble.JPG\n";
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("t.kvlt"));
    const QString again = dir.filePath(QStringLiteral("again.kvlt"));
    {
        CardPanelHost host;
        TGBusinessCardPanel32 &panel = *host.panel;
        host.addShape(QRect(4, 6, 100, 50), stEllipse);
        host.addLine(QRect(10, 90, 200, 8));
        TGBusinessCardLabel *name = addLabel(panel, QStringLiteral("Your Own Name"), QRect(20, 20, 160, 24));
        name->SetDepthShadow(2);
        name->SetcolorShadow(TColor(0x00336699));
        name->SetAlignment(taCenter);
        TGBusinessCardLabel *free = addLabel(panel, QStringLiteral("Free text"), QRect(20, 50, 80, 20));
        free->SetTransparent(false);
        free->SetBackColor(clYellow);
        QVERIFY(panel.WriteTemplate(file, QStringLiteral("Marble.JPG")));
    }
    QCOMPARE(readBytes(file), expected);
    CardPanelHost other;
    QCOMPARE(other.panel->ReadTemplate(file), QStringLiteral("Marble.JPG"));
    QVERIFY(other.panel->WriteTemplate(again, QStringLiteral("Marble.JPG")));
    QCOMPARE(readBytes(again), expected);
}

QTEST_MAIN(TestCardTemplates)
#include "tst_cardtemplates.moc"
