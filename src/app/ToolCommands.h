#pragma once

#include <QStringList>
#include <QTextStream>

// The commands of karvello-tool, a window-less companion of the program:
//   info FILE.KVL            every object's class, name and stored properties
//                            (of both sides when the card has a back)
//   render FILE.KVL OUT [--dpi N] [--side front|back]
//                            the card at 100 % as .png, .bmp or .jpg, or
//                            drawn as printed at N dots per inch (96-1200)
//   resave IN.KVL OUT.KVL    opens a card document and saves it again,
//                            with its back
//   template IN.KVLT OUT.KVL [--font NAME]
//                            a card document from a template, as "New -
//                            Select From Templates" makes it
//   pdf FILE.KVL OUT.pdf [--bleed INCHES] [--crop-marks]
//                            the print-shop PDF (see ToolPdfCommand)
// Each returns the process exit status: 0 on success, 1 when the command
// failed (the reason on `err`), 2 for bad arguments (usage on `err`).
namespace ToolCommands {

int run(const QStringList &arguments, QTextStream &out, QTextStream &err);

int info(const QString &path, QTextStream &out, QTextStream &err);
// `dpi` 0 renders the screen picture at 100 %; otherwise the printed card.
int render(const QString &path, const QString &imagePath, QTextStream &err, int dpi = 0, bool back = false);
// "render" with its options after the two file names.
int renderWithOptions(const QStringList &arguments, QTextStream &err);
int resave(const QString &path, const QString &targetPath, QTextStream &err);
// Personal information and the default layout come from the settings file.
int fromTemplate(const QString &templatePath, const QString &targetPath, const QString &fontName,
                 QTextStream &err);

QString usage();

} // namespace ToolCommands
