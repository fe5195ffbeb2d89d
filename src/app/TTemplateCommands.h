#pragma once

#include <QString>

class TGBusinessCardPanel32;
class TMainScreen;

// The File menu's template commands: "New - Select From Templates" starts a
// card from a template in a chosen typeface, "--------Write Ini------"
// writes the current card as a template.
class TTemplateCommands
{
public:
    explicit TTemplateCommands(TMainScreen &window);

    void NewFromTemplateClick();
    void WriteIniClick();

    // A new card from a template onto a cleared panel: the template's
    // objects, the font on every text object, the background from the "bg"
    // folder. Returns the background file's full path (empty when none);
    // `error` is set when the template could not be read completely.
    // karvello-tool uses this too.
    static QString BuildFromTemplate(TGBusinessCardPanel32 &panel, const QString &templateFile,
                                     const QString &fontName, QString *error);

private:
    void RememberChoice(const QString &templateName, const QString &fontName);

    TMainScreen &m_window;
    // The chooser opens on the template and font last taken with "Ok", in
    // this run and the next (kvl.ini).
    QString m_lastTemplate;
    QString m_lastFont;
};
