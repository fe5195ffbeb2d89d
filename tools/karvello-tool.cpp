// karvello-tool: reads, renders and re-saves card documents without a window.
#include "app/ToolCommands.h"
#include "platform/ShippedArt.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    // Objects own menus, so a full QApplication is needed, but never a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The same program folder as the program's, filled with the shipped
    // art as the program fills it, so templates find their backgrounds.
    InstallShippedArt();
    QTextStream out(stdout);
    QTextStream err(stderr);
    return ToolCommands::run(app.arguments().mid(1), out, err);
}
