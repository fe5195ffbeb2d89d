#include "design/CardTemplates.h"

#include "design/Properties.h"
#include "design/TGGraphicControl.h"
#include "platform/Canvas.h"
#include "platform/Fonts.h"
#include "platform/Numbers.h"

#include <QBuffer>
#include <QPainter>
#include <QtEndian>

#include <algorithm>

namespace CardTemplates {
namespace {

struct CaptionMapping {
    const char *section;
    const char *shortName;
    const char *longName;
};

const CaptionMapping kCaptions[] = {
    {"Name", "name", "your own name"},
    {"Company", "company", "your business name"},
    {"Title", "title", "title or qualifications"},
    {"Address1", "address1", "address line one"},
    {"Address2", "address2", "address line two"},
    {"Address3", "address3", "address line three"},
    {"Phone1", "phone1", "phone one"},
    {"Phone2", "phone2", "phone two"},
    {"Email", "email", "email address"},
    {"Fax", "fax", "fax number"},
};

const char *const kStyleNames[] = {"fsBold", "fsItalic", "fsUnderline"};
const TFontStyle kStyles[] = {fsBold, fsItalic, fsUnderline};

} // namespace

const QStringList &FixedSections()
{
    static const QStringList sections = [] {
        QStringList list;
        for (const CaptionMapping &m : kCaptions)
            list << QString::fromLatin1(m.section);
        return list;
    }();
    return sections;
}

QString FixedSectionForCaption(const QString &caption)
{
    const QString text = caption.trimmed().toLower();
    for (const CaptionMapping &m : kCaptions)
        if (text == QLatin1String(m.shortName) || text == QLatin1String(m.longName))
            return QString::fromLatin1(m.section);
    return QString();
}

QString StyleText(unsigned style)
{
    QStringList names;
    for (int i = 0; i < 3; ++i)
        if (style & kStyles[i])
            names << QString::fromLatin1(kStyleNames[i]);
    return QLatin1Char('[') + names.join(QLatin1Char(',')) + QLatin1Char(']');
}

unsigned StyleFromText(const QString &text)
{
    unsigned style = 0;
    for (int i = 0; i < 3; ++i)
        if (text.contains(QLatin1String(kStyleNames[i])))
            style |= kStyles[i];
    return style;
}

int ToTemplatePixels(int cardPixels, int pixelsPerInch, double zoom)
{
    if (pixelsPerInch == 96 && zoom == 1.0)
        return cardPixels;
    return Numbers::roundHalfEven(double(cardPixels) * 96.0 / (double(pixelsPerInch) * zoom));
}

int FromTemplatePixels(int templatePixels, int pixelsPerInch, double zoom)
{
    templatePixels = std::clamp(templatePixels, -MaxTemplateCoordinate, MaxTemplateCoordinate);
    if (pixelsPerInch == 96 && zoom == 1.0)
        return templatePixels;
    return Numbers::roundHalfEven(double(templatePixels) * double(pixelsPerInch) * zoom / 96.0);
}

QByteArray LogoPlaceholderSvg()
{
    return QByteArrayLiteral(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"48\" height=\"48\" viewBox=\"0 0 48 48\">\n"
        "<circle cx=\"24\" cy=\"24\" r=\"23.5\" fill=\"none\" stroke=\"#000000\" stroke-width=\"1\"/>\n"
        "<text x=\"24\" y=\"21\" text-anchor=\"middle\" font-family=\"Liberation Sans\" font-size=\"10\" "
        "fill=\"#000000\">YOUR</text>\n"
        "<text x=\"24\" y=\"33\" text-anchor=\"middle\" font-family=\"Liberation Sans\" font-size=\"10\" "
        "fill=\"#000000\">LOGO</text>\n"
        "</svg>\n");
}

QByteArray LogoPlaceholderData()
{
    const QByteArray className("TSvgImage");
    return char(className.size()) + className + LogoPlaceholderSvg();
}

QString SafeBackgroundName(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.contains(QLatin1Char('/')) || trimmed.contains(QLatin1Char('\\'))
        || trimmed.contains(QLatin1Char(':')) || trimmed == QLatin1String("..")
        || trimmed == QLatin1String("."))
        return QString();
    return trimmed;
}

bool SetProperty(TGGraphicControl &object, const QString &name, const QVariant &value)
{
    const TPropertyDecl *decl = findProperty(object.StoredProperties(), name);
    if (!decl || !decl->set)
        return false;
    // Templates give enumerations as numbers; one without a name (a hand-made
    // "Border Style=5") would be a value the document cannot store.
    if (decl->type == TPropertyType::Enum && !decl->identifiers.isEmpty()) {
        bool isNumber = false;
        const int index = value.toInt(&isNumber);
        if (!isNumber || index < 0 || index >= decl->identifiers.size())
            return false;
    }
    decl->set(object, value);
    return true;
}

QVariant Property(const TGGraphicControl &object, const QString &name)
{
    const TPropertyDecl *decl = findProperty(object.StoredProperties(), name);
    return decl && decl->get ? decl->get(object) : QVariant();
}

} // namespace CardTemplates
