#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

class TGGraphicControl;

// Card templates (".KVLT"): an INI file describing text labels, shapes,
// lines and one logo placeholder, with the card's orientation and background
// file name. The card panel writes and reads them (TGBusinessCardPanel32::
// WriteTemplate / ReadTemplate); the helpers here are what both sides share.
// Objects are made and read through the class registry and the property
// declarations, so the panel needs no object class's header.
namespace CardTemplates {

// The fixed label sections in reading order: "Name", "Company", "Title",
// "Address1", "Address2", "Address3", "Phone1", "Phone2", "Email", "Fax".
const QStringList &FixedSections();
// The section a label caption writes to: one of the fixed sections for the
// names the table knows ("your own name" -> "Name"), empty otherwise.
QString FixedSectionForCaption(const QString &caption);
// "[fsBold,fsItalic]" for the three styles the file knows (a TFontStyle mask).
QString StyleText(unsigned style);
unsigned StyleFromText(const QString &text);

// Template coordinates are pixels at 96 per inch and zoom 1; these scale
// between them and the card's pixels (round half to even). Read values are
// first held to +-MaxTemplateCoordinate (over 1,000 inches), so that a
// damaged template still gives rectangles whose edges fit in an int.
constexpr int MaxTemplateCoordinate = 100000;
int ToTemplatePixels(int cardPixels, int pixelsPerInch, double zoom);
int FromTemplatePixels(int templatePixels, int pixelsPerInch, double zoom);

// The logo placeholder: a see-through SVG drawing of a circle over the whole
// square with "YOUR" and "LOGO", sharp at any size on paper.
QByteArray LogoPlaceholderSvg();
// The picture data a picture object stores for it ("TSvgImage" + the SVG).
QByteArray LogoPlaceholderData();

// A background name as a template gives it, kept only when it is a plain
// file name (no folder, not ".." or "."), so a template cannot point outside
// the background folder.
QString SafeBackgroundName(const QString &name);

// Property access by declared name; false / invalid when the object has no
// such property. An enumeration number without a name is not set (false).
bool SetProperty(TGGraphicControl &object, const QString &name, const QVariant &value);
QVariant Property(const TGGraphicControl &object, const QString &name);

} // namespace CardTemplates
