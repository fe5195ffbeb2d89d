// Card templates on the card panel: writing, reading and changing all text fonts.
#include "design/TGBusinessCardPanel32.h"

#include "design/CardTemplates.h"
#include "design/Properties.h"
#include "design/TGGraphicControl.h"
#include "platform/Brush.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/Colors.h"
#include "platform/Fonts.h"
#include "platform/IniFile.h"
#include "platform/ScreenMetrics.h"

#include <QFileInfo>

using namespace CardTemplates;

namespace {

const QString kLabelClass = QStringLiteral("TGBusinessCardLabel");
const QString kMultiLineClass = QStringLiteral("TGMultiLineLabel");
const QString kShapeClass = QStringLiteral("TBCShapes");
const QString kLineClass = QStringLiteral("TGLineShape");
const QString kImageClass = QStringLiteral("TGImage");
constexpr int kMaxNumbered = 15;

// A label section key of Karvello's own: the label wraps its words within
// its box. The Windows version reads only the keys it knows, so such a
// label is one line there.
QString WordWrapKey() { return QStringLiteral("Word Wrap"); }

// A colour text that is neither a name nor a number ends the reading.
struct BadColour {
    QString section, key;
};

class TemplateWriter
{
public:
    TemplateWriter(IniFile &ini, int ppi, double zoom) : m_ini(ini), m_ppi(ppi), m_zoom(zoom) {}

    void Write(const TGGraphicControl &o)
    {
        if (o.inherits(kLabelClass.toLatin1()))
            WriteLabel(o);
        else if (o.inherits(kMultiLineClass.toLatin1()))
            WriteMultiLine(o);
        else if (o.inherits(kShapeClass.toLatin1()))
            WriteShape(o);
        else if (o.inherits(kLineClass.toLatin1()))
            WriteLine(o);
        else if (o.inherits(kImageClass.toLatin1()))
            WriteLogo(o);
    }

private:
    int Int(const TGGraphicControl &o, const QString &name) { return Property(o, name).toInt(); }
    void Color(const QString &s, const QString &key, const TGGraphicControl &o, const QString &name)
    {
        m_ini.writeString(s, key, Colors::colorToString(TColor(Int(o, name))));
    }

    void Bounds(const QString &s, const TGGraphicControl &o)
    {
        m_ini.writeInteger(s, QStringLiteral("Left"), ToTemplatePixels(o.Left(), m_ppi, m_zoom));
        m_ini.writeInteger(s, QStringLiteral("Top"), ToTemplatePixels(o.Top(), m_ppi, m_zoom));
        m_ini.writeInteger(s, QStringLiteral("Width"), ToTemplatePixels(o.Width(), m_ppi, m_zoom));
        m_ini.writeInteger(s, QStringLiteral("Height"), ToTemplatePixels(o.Height(), m_ppi, m_zoom));
    }

    // The keys every text label section starts with; returns the section.
    QString WriteText(const TGGraphicControl &o, const QString &caption)
    {
        QString s = FixedSectionForCaption(caption);
        if (s.isEmpty())
            s = QStringLiteral("Label%1").arg(++m_labels);
        m_ini.writeString(s, QStringLiteral("Type"), QStringLiteral("psLabel"));
        m_ini.writeString(s, QStringLiteral("Caption"), caption);
        Bounds(s, o);
        TFont font;
        font.height = Int(o, QStringLiteral("Font.Height"));
        m_ini.writeString(s, QStringLiteral("Font Name"), Property(o, QStringLiteral("Font.Name")).toString());
        m_ini.writeInteger(s, QStringLiteral("Font Size"), font.size(ScreenMetrics::pixelsPerInch()));
        Color(s, QStringLiteral("Font Color"), o, QStringLiteral("Font.Color"));
        m_ini.writeString(s, QStringLiteral("Font Style"),
                          StyleText(Property(o, QStringLiteral("Font.Style")).toUInt()));
        m_ini.writeInteger(s, QStringLiteral("Alignment"), Int(o, QStringLiteral("Alignment")));
        return s;
    }

    void WriteLabel(const TGGraphicControl &o)
    {
        const QString s = WriteText(o, Property(o, QStringLiteral("Caption")).toString());
        m_ini.writeInteger(s, QStringLiteral("Highlight Depth"), Int(o, QStringLiteral("DepthHighlight")));
        m_ini.writeInteger(s, QStringLiteral("Shadow Depth"), Int(o, QStringLiteral("DepthShadow")));
        m_ini.writeInteger(s, QStringLiteral("Highlight Direction"), Int(o, QStringLiteral("DirectionHighlight")));
        m_ini.writeInteger(s, QStringLiteral("Shadow Direction"), Int(o, QStringLiteral("DirectionShadow")));
        Color(s, QStringLiteral("Highlight Color"), o, QStringLiteral("colorHighlight"));
        Color(s, QStringLiteral("Shadow Color"), o, QStringLiteral("colorShadow"));
        m_ini.writeInteger(s, QStringLiteral("Angle"), Int(o, QStringLiteral("Angle")));
        m_ini.writeBool(s, QStringLiteral("Transparent"), Property(o, QStringLiteral("Transparent")).toBool());
        Color(s, QStringLiteral("Background Color"), o, QStringLiteral("BackColor"));
        m_ini.writeInteger(s, QStringLiteral("Border Style"), Int(o, QStringLiteral("BorderStyle")));
    }

    // A multi-line label is a text label of its lines joined by spaces (the
    // only text a template holds), with the one-line label's plain values,
    // so the Windows version reads it as that label. A word-wrapped one says
    // so ("Word Wrap", read here only) and becomes a wrapped label again; one
    // that is not would lose its line breaks either way, and keeps the rest.
    void WriteMultiLine(const TGGraphicControl &o)
    {
        const QString s = WriteText(o, Property(o, QStringLiteral("Items")).toStringList().join(QLatin1Char(' ')));
        m_ini.writeInteger(s, QStringLiteral("Highlight Depth"), 0);
        m_ini.writeInteger(s, QStringLiteral("Shadow Depth"), 0);
        m_ini.writeInteger(s, QStringLiteral("Highlight Direction"), 4);
        m_ini.writeInteger(s, QStringLiteral("Shadow Direction"), 4);
        m_ini.writeString(s, QStringLiteral("Highlight Color"), Colors::colorToString(clWhite));
        m_ini.writeString(s, QStringLiteral("Shadow Color"), Colors::colorToString(clGray));
        m_ini.writeInteger(s, QStringLiteral("Angle"), 0);
        m_ini.writeBool(s, QStringLiteral("Transparent"), true);
        m_ini.writeString(s, QStringLiteral("Background Color"), Colors::colorToString(clWhite));
        m_ini.writeInteger(s, QStringLiteral("Border Style"), 0);
        if (Property(o, QStringLiteral("WordWrap")).toBool())
            m_ini.writeBool(s, WordWrapKey(), true);
    }

    void WriteShape(const TGGraphicControl &o)
    {
        const QString s = QStringLiteral("Shape%1").arg(++m_shapes);
        const int kind = Int(o, QStringLiteral("Shape"));
        const QString type = kind == 0   ? QStringLiteral("stRectangle")
                             : kind == 2 ? QStringLiteral("stRoundRect")
                             : kind == 4 ? QStringLiteral("stEllipse")
                                         : QString();
        m_ini.writeString(s, QStringLiteral("Type"), type);
        Bounds(s, o);
        m_ini.writeBool(s, QStringLiteral("Transparent"), Property(o, QStringLiteral("Transparent")).toBool());
        m_ini.writeInteger(s, QStringLiteral("Round Percent"), Int(o, QStringLiteral("RoundPerc")));
        m_ini.writeInteger(s, QStringLiteral("Shape"), kind);
        m_ini.writeInteger(s, QStringLiteral("Brush Style"), Int(o, QStringLiteral("Brush.Style")));
        Color(s, QStringLiteral("Brush Color"), o, QStringLiteral("Brush.Color"));
        Color(s, QStringLiteral("Pen Color"), o, QStringLiteral("Pen.Color"));
        m_ini.writeInteger(s, QStringLiteral("Pen Width"), Int(o, QStringLiteral("Pen.Width")));
    }

    void WriteLine(const TGGraphicControl &o)
    {
        const QString s = QStringLiteral("Line%1").arg(++m_lines);
        m_ini.writeString(s, QStringLiteral("Type"), QStringLiteral("psLine"));
        Bounds(s, o);
        m_ini.writeInteger(s, QStringLiteral("Line Style"), Int(o, QStringLiteral("LineStyle")));
        Color(s, QStringLiteral("Pen Color"), o, QStringLiteral("Pen.Color"));
        m_ini.writeInteger(s, QStringLiteral("Pen Width"), Int(o, QStringLiteral("Pen.Width")));
    }

    void WriteLogo(const TGGraphicControl &o)
    {
        const QString s = QStringLiteral("Logo");
        m_ini.writeString(s, QStringLiteral("Type"), QStringLiteral("psImage"));
        Bounds(s, o);
    }

    IniFile &m_ini;
    int m_ppi;
    double m_zoom;
    int m_labels = 0;
    int m_shapes = 0;
    int m_lines = 0;
};

class TemplateReader
{
public:
    TemplateReader(TGBusinessCardPanel32 &panel, const IniFile &ini)
        : m_panel(panel), m_ini(ini), m_ppi(ScreenMetrics::pixelsPerInch()), m_zoom(panel.Zoom())
    {
    }

    void ReadAll()
    {
        for (int n = 1; n <= kMaxNumbered; ++n)
            ReadShape(QStringLiteral("Shape%1").arg(n));
        for (int n = 1; n <= kMaxNumbered; ++n)
            ReadLine(QStringLiteral("Line%1").arg(n));
        const QStringList &fixed = FixedSections();
        for (int i = 0; i < fixed.size(); ++i)
            ReadLabel(fixed[i], m_panel.PersonalInformation(i),
                      QLatin1Char('<') + fixed[i] + QLatin1Char('>'));
        for (int n = 1; n <= kMaxNumbered; ++n)
            ReadLabel(QStringLiteral("Label%1").arg(n), QString(), QString());
        ReadLogo();
    }

private:
    int Int(const QString &s, const char *key, int def) const
    {
        return m_ini.readInteger(s, QString::fromLatin1(key), def);
    }
    int Color(const QString &s, const char *key, TColor def) const
    {
        const std::optional<TColor> c = m_ini.readColor(s, QString::fromLatin1(key), def);
        if (!c)
            throw BadColour{s, QString::fromLatin1(key)};
        return int(*c);
    }

    QRect Bounds(const QString &s) const
    {
        return QRect(FromTemplatePixels(Int(s, "Left", 0), m_ppi, m_zoom),
                     FromTemplatePixels(Int(s, "Top", 0), m_ppi, m_zoom),
                     FromTemplatePixels(Int(s, "Width", 0), m_ppi, m_zoom),
                     FromTemplatePixels(Int(s, "Height", 0), m_ppi, m_zoom));
    }

    // A new object of a registered class placed at `r`; null when the class
    // is not part of this build.
    TGGraphicControl *Create(const QString &className, const QRect &r)
    {
        const TGClassRegistry::Entry *entry = TGClassRegistry::find(className);
        if (!entry || !entry->create)
            return nullptr;
        TGGraphicControl *object = entry->create(&m_panel);
        object->SetBounds(r);
        object->Loaded();
        m_panel.PlaceObject(object, r);
        return object;
    }

    void ReadShape(const QString &s)
    {
        const QRect r = Bounds(s);
        if (r.width() == 0)
            return;
        TGGraphicControl *o = Create(kShapeClass, r);
        if (!o)
            return;
        SetProperty(*o, QStringLiteral("Shape"), Int(s, "Shape", 0));
        SetProperty(*o, QStringLiteral("Transparent"), m_ini.readBool(s, QStringLiteral("Transparent"), true));
        SetProperty(*o, QStringLiteral("Brush.Color"), Color(s, "Brush Color", clWhite));
        SetProperty(*o, QStringLiteral("Pen.Color"), Color(s, "Pen Color", clBlack));
        SetProperty(*o, QStringLiteral("Pen.Width"), Int(s, "Pen Width", 1));
        SetProperty(*o, QStringLiteral("Brush.Style"), Int(s, "Brush Style", int(bsClear)));
    }

    void ReadLine(const QString &s)
    {
        const QRect r = Bounds(s);
        if (r.width() == 0)
            return;
        TGGraphicControl *o = Create(kLineClass, r);
        if (!o)
            return;
        SetProperty(*o, QStringLiteral("Pen.Color"), Color(s, "Pen Color", clBlack));
        SetProperty(*o, QStringLiteral("Pen.Width"), Int(s, "Pen Width", 1));
        SetProperty(*o, QStringLiteral("LineStyle"), Int(s, "Line Style", 0));
    }

    QString Caption(const QString &s, const QString &personal, const QString &placeholder) const
    {
        QString caption = personal.trimmed().isEmpty()
                              ? m_ini.readString(s, QStringLiteral("Caption"), QStringLiteral("<blank>"))
                              : personal;
        if (caption.trimmed().isEmpty() && !placeholder.isEmpty())
            caption = placeholder;
        return caption;
    }

    void ReadFontAndAlignment(const QString &s, TGGraphicControl &o)
    {
        SetProperty(o, QStringLiteral("Font.Name"),
                    m_ini.readString(s, QStringLiteral("Font Name"), QStringLiteral("Arial")));
        TFont font;
        font.setSize(Int(s, "Font Size", 10), ScreenMetrics::pixelsPerInch());
        SetProperty(o, QStringLiteral("Font.Height"), font.height);
        SetProperty(o, QStringLiteral("Font.Color"), Color(s, "Font Color", clBlack));
        SetProperty(o, QStringLiteral("Font.Style"),
                    StyleFromText(m_ini.readString(s, QStringLiteral("Font Style"))));
        SetProperty(o, QStringLiteral("Alignment"), Int(s, "Alignment", 0));
    }

    void ReadLabel(const QString &s, const QString &personal, const QString &placeholder)
    {
        const QRect r = Bounds(s);
        if (r.width() == 0)
            return;
        if (m_ini.readBool(s, WordWrapKey(), false)) {
            ReadWrappedLabel(s, r, Caption(s, personal, placeholder));
            return;
        }
        TGGraphicControl *o = Create(kLabelClass, r);
        if (!o)
            return;
        SetProperty(*o, QStringLiteral("Caption"), Caption(s, personal, placeholder));
        ReadFontAndAlignment(s, *o);
        SetProperty(*o, QStringLiteral("DepthHighlight"), Int(s, "Highlight Depth", 0));
        SetProperty(*o, QStringLiteral("DepthShadow"), Int(s, "Shadow Depth", 0));
        SetProperty(*o, QStringLiteral("DirectionHighlight"), Int(s, "Highlight Direction", 4));
        SetProperty(*o, QStringLiteral("DirectionShadow"), Int(s, "Shadow Direction", 4));
        SetProperty(*o, QStringLiteral("colorHighlight"), Color(s, "Highlight Color", clWhite));
        SetProperty(*o, QStringLiteral("colorShadow"), Color(s, "Shadow Color", clGray));
        SetProperty(*o, QStringLiteral("Angle"), Int(s, "Angle", 0));
        SetProperty(*o, QStringLiteral("Transparent"), m_ini.readBool(s, QStringLiteral("Transparent"), true));
        SetProperty(*o, QStringLiteral("BackColor"), Color(s, "Background Color", clWhite));
        SetProperty(*o, QStringLiteral("BorderStyle"), Int(s, "Border Style", 0));
    }

    // The caption as the one item of a multi-line label wrapped within the
    // box. Shadow, highlight, angle and background are one-line label
    // values it does not have.
    void ReadWrappedLabel(const QString &s, const QRect &r, const QString &caption)
    {
        TGGraphicControl *o = Create(kMultiLineClass, r);
        if (!o)
            return;
        SetProperty(*o, QStringLiteral("Items"), QStringList{caption});
        ReadFontAndAlignment(s, *o);
        SetProperty(*o, QStringLiteral("WordWrap"), true);
    }

    void ReadLogo()
    {
        const QString s = QStringLiteral("Logo");
        const QRect stored = Bounds(s);
        if (stored.width() == 0)
            return;
        // Half an inch square whatever the stored size; the picture itself is never stored.
        const int side = FromTemplatePixels(m_ppi / 2, 96, m_zoom);
        TGGraphicControl *o = Create(kImageClass, QRect(stored.topLeft(), QSize(side, side)));
        if (!o)
            return;
        SetProperty(*o, QStringLiteral("BorderStyle"), 0);
        SetProperty(*o, QStringLiteral("Picture"), LogoPlaceholderData());
    }

    TGBusinessCardPanel32 &m_panel;
    const IniFile &m_ini;
    int m_ppi;
    double m_zoom;
};

} // namespace

bool TGBusinessCardPanel32::WriteTemplate(const QString &fileName, const QString &backgroundPath,
                                          QString *error)
{
    // A fresh file; the old one is replaced only once the new one is written.
    IniFile ini(fileName);
    for (const QString &section : ini.sections())
        ini.eraseSection(section);
    TemplateWriter writer(ini, ScreenMetrics::pixelsPerInch(), double(Zoom()));
    const QList<TGGraphicControl *> objects = Objects();
    for (auto it = objects.crbegin(); it != objects.crend(); ++it)
        writer.Write(**it);
    const QString data = QStringLiteral("Card Data");
    ini.writeBool(data, QStringLiteral("Portrait Mode"), Portrait());
    ini.writeString(data, QStringLiteral("Background File"),
                    backgroundPath.trimmed().isEmpty()
                        ? QString() : CaseInsensitivePath::fileNamePart(backgroundPath.trimmed()));
    if (ini.flush())
        return true;
    if (error)
        *error = ini.errorString();
    return false;
}

QString TGBusinessCardPanel32::ReadTemplate(const QString &fileName, QString *error)
{
    const IniFile ini(fileName);
    const bool wasSuppressed = PaintingSuppressed();
    SetPaintingSuppressed(true);
    QString background;
    try {
        TemplateReader(*this, ini).ReadAll();
        const QString data = QStringLiteral("Card Data");
        SetPortrait(ini.readBool(data, QStringLiteral("Portrait Mode"), false));
        background = SafeBackgroundName(ini.readString(data, QStringLiteral("Background File")));
        if (error)
            error->clear();
    } catch (const BadColour &bad) {
        if (error)
            *error = QStringLiteral("The template %1 has a colour that is neither a colour name nor a "
                                    "number: section \"%2\", key \"%3\".")
                         .arg(QFileInfo(fileName).fileName(), bad.section, bad.key);
    }
    SetPaintingSuppressed(wasSuppressed);
    update();
    return background;
}

void TGBusinessCardPanel32::SetAllTextFonts(const QString &fontName)
{
    for (TGGraphicControl *o : Objects()) {
        if (!o->inherits(kLabelClass.toLatin1()) && !o->inherits(kMultiLineClass.toLatin1()))
            continue;
        if (Property(*o, QStringLiteral("Font.Name")).toString() != fontName)
            SetProperty(*o, QStringLiteral("Font.Name"), fontName);
    }
    update();
}
