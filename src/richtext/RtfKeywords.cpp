#include "richtext/RtfKeywords.h"

#include <QHash>

namespace RtfKeywords {

namespace {

const QHash<QByteArray, char16_t> &names()
{
    static const QHash<QByteArray, char16_t> table{
        {"emdash", 0x2014}, {"endash", 0x2013}, {"bullet", 0x2022}, {"lquote", 0x2018},
        {"rquote", 0x2019}, {"ldblquote", 0x201C}, {"rdblquote", 0x201D},
        {"emspace", 0x2003}, {"enspace", 0x2002}, {"qmspace", 0x2005}};
    return table;
}

QHash<QByteArray, Word> makeTable()
{
    using W = Word;
    QHash<QByteArray, Word> t{
        {"bin", W::Bin}, {"fonttbl", W::FontTable}, {"colortbl", W::ColorTable},
        {"ansi", W::Ansi}, {"ansicpg", W::AnsiCodePage}, {"mac", W::Mac}, {"pc", W::Pc}, {"pca", W::Pca},
        {"deff", W::DefaultFont}, {"deftab", W::DefaultTab},
        {"par", W::Par}, {"sect", W::Par}, {"page", W::Par}, {"pard", W::Pard},
        {"ql", W::AlignLeft}, {"qr", W::AlignRight}, {"qc", W::AlignCenter}, {"qj", W::Justify},
        {"li", W::LeftIndent}, {"ri", W::RightIndent}, {"fi", W::FirstIndent},
        {"sb", W::SpaceBefore}, {"sa", W::SpaceAfter}, {"line", W::Line}, {"tab", W::Tab},
        {"sl", W::LineSpacing}, {"slmult", W::LineMultiple}, {"tx", W::TabPosition}, {"tqr", W::TabRight},
        {"tqc", W::TabCenter}, {"tqdec", W::TabDecimal},
        {"trowd", W::RowDefaults}, {"trleft", W::RowLeft}, {"trgaph", W::RowGap}, {"cellx", W::CellRight},
        {"intbl", W::InTable}, {"cell", W::Cell}, {"row", W::Row},
        {"plain", W::Plain}, {"f", W::Font}, {"fs", W::FontSize}, {"b", W::Bold}, {"i", W::Italic},
        {"ulnone", W::UnderlineNone}, {"strike", W::Strike}, {"striked", W::Strike},
        {"super", W::Super}, {"sub", W::Sub}, {"nosupersub", W::NoSuperSub}, {"v", W::Hidden},
        {"cf", W::Color}, {"cb", W::Highlight}, {"highlight", W::Highlight}, {"chcbpat", W::Highlight},
        {"uc", W::UnicodeSkip}, {"u", W::Unicode},
        {"fcharset", W::Charset}, {"cpg", W::CodePage}, {"red", W::Red}, {"green", W::Green},
        {"blue", W::Blue}};
    // Every kind of underline reads as underline; \ulc (its colour) does not.
    for (const char *ul : {"ul", "uld", "uldb", "uldash", "uldashd", "uldashdd", "ulth", "ulw", "ulwave",
                           "ulhwave", "ululdbwave"})
        t.insert(ul, W::Underline);
    // Destinations whose content is never shown.
    for (const char *skipped :
         {"stylesheet", "info", "pict", "object", "nonshppict", "shp", "shpinst", "header", "headerl",
          "headerr", "headerf", "footer", "footerl", "footerr", "footerf", "footnote", "annotation", "atnid",
          "atnauthor", "fldinst", "xe", "tc", "bkmkstart", "bkmkend", "listtable", "listoverridetable",
          "revtbl", "rsidtbl", "themedata", "colorschememapping", "latentstyles", "datastore", "xmlnstbl",
          "mmathPr", "ftnsep", "ftnsepc", "ftncn", "aftnsep", "aftnsepc", "aftncn", "template", "filetbl",
          "userprops", "docvar", "pgdsctbl", "generator", "pn", "factoidname", "falt", "panose", "txe",
          "rxe"})
        t.insert(skipped, W::Skipped);
    for (auto it = names().constBegin(); it != names().constEnd(); ++it)
        t.insert(it.key(), W::Named);
    return t;
}

} // namespace

Word lookup(const QByteArray &word)
{
    static const QHash<QByteArray, Word> table = makeTable();
    return table.value(word, Word::Unknown);
}

char16_t namedCharacter(const QByteArray &word)
{
    return names().value(word, 0);
}

} // namespace RtfKeywords
