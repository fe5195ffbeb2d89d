#include "app/TAuxiliaryCommands.h"
#include "app/TCardRecovery.h"
#include "app/TContactListCommands.h"
#include "app/TFileCommands.h"
#include "app/TMainScreen.h"
#include "app/TPrintCommands.h"
#include "app/TPrintShopCommands.h"
#include "app/TSessionEnd.h"
#include "app/TSingleInstance.h"
#include "app/TTemplateCommands.h"
#include "app/TTestHooks.h"
#include "platform/ShippedArt.h"
#include "report/TReport.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Karvello"));

    // One optional argument: a card document to open (the file manager's
    // "Open With"). Relative paths are this process's, so they are made
    // absolute before another copy sees them.
    const QStringList arguments = QApplication::arguments();
    const QString document =
        arguments.size() > 1 ? QFileInfo(arguments.at(1)).absoluteFilePath() : QString();

    // A second copy hands over to the running one and ends without a window.
    TSingleInstance instance;
    if (!instance.TryBecomeFirst())
        return instance.ActivateFirst(5000, document) ? 0 : 1;

    InstallShippedArt();
    TMainScreen window;
    TPrintCommands printCommands(window);
    TAuxiliaryCommands auxiliaryCommands(window);
    TTemplateCommands templateCommands(window);
    TPrintShopCommands printShopCommands(window);
    TContactListCommands contactListCommands(window);
    QObject::connect(&instance, &TSingleInstance::ActivationRequested, &window,
                     &TMainScreen::BringForward);
    // Queued: "Save changes?" may come up, and the request's socket is done.
    QObject::connect(&instance, &TSingleInstance::OpenRequested, &window,
                     [&window](const QString &path) { window.FileCommands().OpenPath(path); },
                     Qt::QueuedConnection);
    TCardRecovery recovery(window, TCardRecovery::ReadInterval());
    // The session ends: the unsaved card goes into its recovery copy, then
    // the program ends without questions.
    TSessionEnd sessionEnd;
    QObject::connect(&sessionEnd, &TSessionEnd::Ending, &window, [&recovery] {
        recovery.WriteNow();
        QCoreApplication::exit(0);
    });
    window.FormActivate();
    if (TTestHooks::Wanted())
        new TTestHooks(window);
    // Offered once the window is up, before a document handed over opens.
    QTimer::singleShot(0, &window, [&recovery, &instance] { recovery.OfferAtStart(instance.IsListening()); });
    if (!document.isEmpty())
        QTimer::singleShot(0, &window, [&window, document] { window.FileCommands().OpenPath(document); });
    return app.exec();
}
