#pragma once

#include "platform/Colors.h"
#include "platform/Fonts.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class QDialog;
class QWidget;

// The answer to a question that can also be called off.
enum class TAnswer { anYes, anNo, anCancel };

// Every modal box and common dialog the program shows goes through this one
// seam, so that tests can script the answers and record what was said.
// The default implementation shows real Qt dialogs. The program's own dialogs
// are run modally through it too (runModal), so that tests can drive them
// without an event loop.
class UserDialogs
{
public:
    virtual ~UserDialogs() = default;

    // A question with Yes and No buttons; true for Yes.
    virtual bool ask(const QString &text, const QString &caption) = 0;
    // A question with Yes, No and Cancel buttons; Escape and the window's
    // close button answer Cancel. Dialogs that know only Yes and No ask().
    virtual TAnswer askWithCancel(const QString &text, const QString &caption);
    // An information box with an OK button and the caption "Information".
    virtual void inform(const QString &text) = 0;
    // An information box with its own caption ("Configuration Information").
    // Dialogs that know no captions show it as inform() does.
    virtual void informTitled(const QString &text, const QString &caption)
    {
        Q_UNUSED(caption);
        inform(text);
    }
    // An error box (failures that the platform's default error handler showed).
    virtual void error(const QString &text) = 0;

    // File dialogs; an empty string means the user cancelled. `filter` uses Qt's
    // "Card files (*.kvl);;All files (*)" form.
    virtual QString openFileName(const QString &caption, const QString &folder,
                                 const QString &filter) = 0;
    virtual QString saveFileName(const QString &caption, const QString &suggestedPath,
                                 const QString &filter, const QString &defaultSuffix) = 0;

    virtual std::optional<TColor> chooseColor(TColor initial) = 0;
    // The colour dialog fully open with the user's custom colours, which the
    // dialog may change (on OK only). By default the plain colour dialog,
    // leaving the custom colours alone.
    virtual std::optional<TColor> chooseColorWithCustom(TColor initial, QList<TColor> &customColors);
    virtual std::optional<TFont> chooseFont(const TFont &initial, bool trueTypeOnly) = 0;

    virtual void beep() = 0;

    // The dialogs in force; never null.
    static UserDialogs &current();
    // Installs replacement dialogs (tests); returns the previous ones. Passing
    // null restores the real dialogs.
    static std::unique_ptr<UserDialogs> install(std::unique_ptr<UserDialogs> dialogs);

    // Parent for real dialogs (the main window once it exists).
    static void setParentWidget(QWidget *parent);
    static QWidget *parentWidget();

    // Shows one of the program's own dialogs modally and returns its result:
    // QDialog::exec(), or the runner that tests installed.
    static int runModal(QDialog &dialog);
    // Replaces the modal run (tests); returns the previous runner. An empty
    // function restores exec().
    static std::function<int(QDialog &)> setModalRunner(std::function<int(QDialog &)> runner);

    // The dialogs' "Help" buttons: nothing happens until the application
    // installs its help window as the handler.
    static void showHelp(int topic);
    // Returns the previous handler; an empty function shows no help.
    static std::function<void(int topic)> setHelpHandler(std::function<void(int topic)> handler);
};
