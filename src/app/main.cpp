#include "app/TAuxiliaryCommands.h"
#include "app/TMainScreen.h"
#include "app/TPrintCommands.h"
#include "app/TSingleInstance.h"
#include "app/TTemplateCommands.h"
#include "report/TReport.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Karvello"));

    // A second copy hands over to the running one and ends without a window.
    TSingleInstance instance;
    if (!instance.TryBecomeFirst())
        return instance.ActivateFirst() ? 0 : 1;

    TMainScreen window;
    TPrintCommands printCommands(window);
    TAuxiliaryCommands auxiliaryCommands(window);
    TTemplateCommands templateCommands(window);
    QObject::connect(&instance, &TSingleInstance::ActivationRequested, &window,
                     &TMainScreen::BringForward);
    window.FormActivate();
    return app.exec();
}
