#include "app/CardClasses.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TextFit.h"
// Reading templates arrives with the card-template code; until it is built
// in, these cases say so and skip.
#if __has_include("design/CardTemplates.h")
#define KARVELLO_HAVE_TEMPLATES 1
#endif
#include "objects/TGBusinessCardLabel.h"
#include "objects/TGMultiLineLabel.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/ScreenMetrics.h"
#include "platform/ShippedArt.h"

#include <QDir>
#include <QTest>

// Every template that comes with the program makes a card: it reads without
// error, fills its labels with the user's personal information, keeps every
// object on the card and names a background that comes with it too.
class TestShippedTemplates : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { ScreenMetrics::setOverride(96); }
    void everyTemplateMakesACard_data();
    void everyTemplateMakesACard();
    void stylesAndOrientationsAreVaried();
    void longestInformationFitsEveryLabel_data() { everyTemplateMakesACard_data(); }
    void longestInformationFitsEveryLabel();
    void portraitCardsReadUpright_data();
    void portraitCardsReadUpright();

private:
    QStringList m_templates;
};

namespace {

// The longest information a user is expected to give: 40 letters for the
// name, the company and the e-mail address, 60 for each address line.
const QStringList &longestInformation()
{
    static const QStringList personal{"Bartholomew Montgomery-Featherstonehaugh",
                                      "Northwind Landscape Architecture Company",
                                      "Senior Project Manager, Design",
                                      "Suite 4100, Transamerica Pyramid, 600 Montgomery Street West",
                                      "Financial District, San Francisco, California 94111-2702 USA",
                                      "Attention: Accounts Payable and Procurement Department, MS 7",
                                      "+1 (555) 123-4567 ext. 890",
                                      "+1 (555) 987-6543",
                                      "b.featherstonehaugh@northwind-design.com",
                                      "+1 (555) 123-4568"};
    return personal;
}

bool isText(const TGGraphicControl *object)
{
    return qobject_cast<const TGBusinessCardLabel *>(object) || qobject_cast<const TGMultiLineLabel *>(object);
}

} // namespace

void TestShippedTemplates::initTestCase()
{
    registerCardClasses();
    const QDir kvlt(ShippedArtFolder() + QStringLiteral("/kvlt"));
    for (const QString &name : kvlt.entryList({QStringLiteral("*.KVLT")}, QDir::Files, QDir::Name))
        m_templates << kvlt.filePath(name);
    QVERIFY(m_templates.size() >= 24);
}

void TestShippedTemplates::everyTemplateMakesACard_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("ppi");
    for (const QString &path : m_templates) {
        for (int ppi : {96, 120}) {
            QTest::newRow(qPrintable(QStringLiteral("%1 at %2").arg(QFileInfo(path).baseName()).arg(ppi)))
                << path << ppi;
        }
    }
}

void TestShippedTemplates::everyTemplateMakesACard()
{
#ifndef KARVELLO_HAVE_TEMPLATES
    QSKIP("card templates are not built in yet");
#else
    QFETCH(QString, path);
    QFETCH(int, ppi);
    ScreenMetrics::setOverride(ppi);
    TGBusinessCardPanel32 panel;
    // Realistic lengths, so that labels which fit themselves to their text
    // are measured with more than the placeholders.
    const QStringList personal{
        "Alexandra Whitfield", "Northgate Design Studio", "Senior Consultant", "42 Harbour Street",
        "Riverside, Westfield", "WF2 8QT", "Tel 01632 960 481", "Mob 07700 900 123",
        "alex@northgate.example", "Fax 01632 960 482"};
    panel.SetPersonalInformation(personal);
    QString error;
    const QString background = panel.ReadTemplate(path, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));

    const QSize card = panel.Portrait() ? QSize(2 * ppi, 7 * ppi / 2) : QSize(7 * ppi / 2, 2 * ppi);
    int labels = 0;
    bool personalShown = false;
    for (TGGraphicControl *object : panel.Objects()) {
        const QRect bounds = object->BoundsRect();
        QVERIFY2(QRect(QPoint(0, 0), card).contains(bounds),
                 qPrintable(QStringLiteral("%1 at %2,%3 %4x%5 leaves the %6x%7 card")
                                .arg(object->Name()).arg(bounds.x()).arg(bounds.y())
                                .arg(bounds.width()).arg(bounds.height())
                                .arg(card.width()).arg(card.height())));
        if (auto *label = qobject_cast<TGBusinessCardLabel *>(object)) {
            ++labels;
            personalShown = personalShown || personal.contains(label->Caption());
        } else if (auto *lines = qobject_cast<TGMultiLineLabel *>(object)) {
            ++labels;
            personalShown = personalShown || personal.contains(lines->Items().join(QLatin1Char(' ')));
        }
    }
    QVERIFY(labels >= 1);
    QVERIFY2(personalShown, "no label takes the personal information");
    if (!background.trimmed().isEmpty()) {
        QVERIFY2(!CaseInsensitivePath::findEntry(ShippedArtFolder() + QStringLiteral("/bg/"), background)
                      .isEmpty(),
                 qPrintable(background + " is not among the shipped backgrounds"));
    }
#endif
}

void TestShippedTemplates::stylesAndOrientationsAreVaried()
{
#ifndef KARVELLO_HAVE_TEMPLATES
    QSKIP("card templates are not built in yet");
#else
    // Two portrait cards and a logo placeholder on several: a gallery, not
    // one layout in many colours.
    int portrait = 0, withLogo = 0;
    QSet<QString> backgrounds;
    for (const QString &path : m_templates) {
        TGBusinessCardPanel32 panel;
        backgrounds << panel.ReadTemplate(path).toLower();
        portrait += panel.Portrait() ? 1 : 0;
        for (TGGraphicControl *object : panel.Objects())
            if (QString::fromLatin1(object->metaObject()->className()) == QLatin1String("TGImage"))
                ++withLogo;
    }
    QVERIFY(portrait >= 2);
#if __has_include("objects/TGImage.h")
    QVERIFY(withLogo >= 4); // the logo placeholder is a picture object
#endif
    QVERIFY(backgrounds.size() >= 16);
#endif
}

// Filled with long names (40 letters for the name, the company and the
// e-mail address, 60 for each address line), every label stays on the card
// and its text, as the screen and as paper set it, within its box; labels
// that wrap take at most two lines.
void TestShippedTemplates::longestInformationFitsEveryLabel()
{
#ifndef KARVELLO_HAVE_TEMPLATES
    QSKIP("card templates are not built in yet");
#else
    QFETCH(QString, path);
    QFETCH(int, ppi);
    ScreenMetrics::setOverride(ppi);
    TGBusinessCardPanel32 panel;
    panel.SetPersonalInformation(longestInformation());
    QString error;
    panel.ReadTemplate(path, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QSize card = panel.Portrait() ? QSize(2 * ppi, 7 * ppi / 2) : QSize(7 * ppi / 2, 2 * ppi);
    QStringList faults;
    for (TGGraphicControl *object : panel.Objects()) {
        if (!isText(object))
            continue;
        if (!QRect(QPoint(0, 0), card).contains(object->BoundsRect()))
            faults << object->Name() + QStringLiteral(" leaves the card");
        QVERIFY(!object->TextRuns().isEmpty());
        if (auto *lines = qobject_cast<TGMultiLineLabel *>(object)) {
            if (lines->WordWrap() && lines->WrappedLines().size() > 2)
                faults << QStringLiteral("%1 takes %2 lines").arg(object->Name()).arg(lines->WrappedLines().size());
        }
    }
    faults << TextFit::describe(TextFit::check(panel.Objects(), card));
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
#endif
}

void TestShippedTemplates::portraitCardsReadUpright_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("ppi");
    int portrait = 0;
    for (const QString &path : m_templates) {
        TGBusinessCardPanel32 panel;
        panel.ReadTemplate(path);
        if (!panel.Portrait())
            continue;
        ++portrait;
        for (int ppi : {96, 120}) {
            QTest::newRow(qPrintable(QStringLiteral("%1 at %2").arg(QFileInfo(path).baseName()).arg(ppi)))
                << path << ppi;
        }
    }
    QVERIFY(portrait >= 2);
}

// A portrait card is read held upright: no text is turned, and the name,
// company and address lines are labels that wrap onto a second line.
void TestShippedTemplates::portraitCardsReadUpright()
{
    QFETCH(QString, path);
    QFETCH(int, ppi);
    ScreenMetrics::setOverride(ppi);
    TGBusinessCardPanel32 panel;
    const QStringList &personal = longestInformation();
    panel.SetPersonalInformation(personal);
    panel.ReadTemplate(path);
    const QStringList mayWrap{personal[0], personal[1], personal[3], personal[4], personal[5]};
    QStringList wrappedTwice;
    for (TGGraphicControl *object : panel.Objects()) {
        if (auto *label = qobject_cast<TGBusinessCardLabel *>(object)) {
            QVERIFY2(label->Angle() == 0, qPrintable(label->Caption() + " is turned"));
            QVERIFY2(!mayWrap.contains(label->Caption()), qPrintable(label->Caption() + " cannot wrap"));
        } else if (auto *lines = qobject_cast<TGMultiLineLabel *>(object)) {
            QVERIFY(lines->WordWrap());
            QVERIFY2(lines->WrappedLines().size() <= 2, qPrintable(lines->WrappedLines().join('|')));
            if (lines->WrappedLines().size() == 2)
                wrappedTwice << lines->Items().join(QLatin1Char(' '));
        }
    }
    QVERIFY2(wrappedTwice.contains(personal[0]), qPrintable(wrappedTwice.join('\n')));
}

QTEST_MAIN(TestShippedTemplates)
#include "tst_shippedtemplates.moc"
