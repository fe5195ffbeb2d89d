#pragma once

#include "platform/UserDialogs.h"

#include <QDialog>
#include <QList>
#include <QQueue>
#include <QString>

#include <functional>

// Dialogs for tests: every box and dialog answers from a script, and every
// message is recorded. Install with ScriptedDialogs::installNew(), which
// returns a reference that stays valid until the test uninstalls it or
// installs other dialogs; ScopedScriptedDialogs does both for one test.
class ScriptedDialogs : public UserDialogs
{
public:
    struct Message {
        enum Kind { Ask, Inform, Error };
        Kind kind;
        QString text;
        QString caption; // "Information" for inform(), empty for error()
    };

    // Script the next answers; each call consumes one. An ask() with no
    // scripted answer is counted in unscriptedQuestions and answers No.
    QQueue<bool> answers;
    // Answers to askWithCancel(); when none is left, the next of `answers`
    // answers it as Yes or No.
    QQueue<TAnswer> answersWithCancel;
    QQueue<QString> openFileNames;   // empty string or exhausted queue = cancelled
    QQueue<QString> saveFileNames;
    QQueue<std::optional<TColor>> colors;   // exhausted queue = cancelled
    QQueue<std::optional<TFont>> fonts;

    // What the program said, in order.
    QList<Message> messages;
    int unscriptedQuestions = 0;
    int beeps = 0;

    // Arguments of the last file, colour and font dialogs.
    struct FileRequest {
        QString caption, folderOrPath, filter, defaultSuffix;
    };
    QList<FileRequest> fileRequests;
    QList<TColor> colorRequests;
    // Custom colours the colour dialog was given, and those it hands back on
    // OK (exhausted queue = left unchanged).
    QList<QList<TColor>> customColorRequests;
    QQueue<QList<TColor>> customColorAnswers;
    QList<TFont> fontRequests;
    QList<bool> fontTrueTypeOnly;

    // Convenience views over `messages`.
    QStringList texts() const;
    QStringList questions() const; // texts of ask() calls only
    QStringList informations() const; // texts of inform() calls only
    int count(Message::Kind kind) const;
    void clear();

    bool ask(const QString &text, const QString &caption) override;
    TAnswer askWithCancel(const QString &text, const QString &caption) override;
    void inform(const QString &text) override;
    void informTitled(const QString &text, const QString &caption) override;
    void error(const QString &text) override;
    QString openFileName(const QString &caption, const QString &folder,
                         const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &suggestedPath,
                         const QString &filter, const QString &defaultSuffix) override;
    std::optional<TColor> chooseColor(TColor initial) override;
    std::optional<TColor> chooseColorWithCustom(TColor initial, QList<TColor> &customColors) override;
    std::optional<TFont> chooseFont(const TFont &initial, bool trueTypeOnly) override;
    void beep() override;

    // Installs a fresh instance as UserDialogs::current() and returns it.
    static ScriptedDialogs &installNew();
};

// Installs fresh scripted dialogs for the lifetime of the scope and then
// restores the dialogs that were in force before.
class ScopedScriptedDialogs
{
public:
    ScopedScriptedDialogs();
    ~ScopedScriptedDialogs();
    ScopedScriptedDialogs(const ScopedScriptedDialogs &) = delete;
    ScopedScriptedDialogs &operator=(const ScopedScriptedDialogs &) = delete;

    ScriptedDialogs &operator*() const { return *m_dialogs; }
    ScriptedDialogs *operator->() const { return m_dialogs; }

private:
    ScriptedDialogs *m_dialogs;
    std::unique_ptr<UserDialogs> m_previous;
};

// Runs the program's own dialogs (UserDialogs::runModal) through `runner`
// for the lifetime of the scope, then restores the runner in force before.
class ScopedModalRunner
{
public:
    explicit ScopedModalRunner(std::function<int(QDialog &)> runner);
    ~ScopedModalRunner();
    ScopedModalRunner(const ScopedModalRunner &) = delete;
    ScopedModalRunner &operator=(const ScopedModalRunner &) = delete;

private:
    std::function<int(QDialog &)> m_previous;
};

// Fails the running test: a runner was handed a dialog it does not expect.
void failUnexpectedDialog(const QDialog &dialog);

// A modal runner for the dialogs of class D: `work` gets the dialog as a D.
// Any other dialog fails the running test and is cancelled.
template<class D, class Work>
std::function<int(QDialog &)> modalRunnerFor(Work work)
{
    return [work = std::move(work)](QDialog &dialog) mutable -> int {
        if (auto *expected = qobject_cast<D *>(&dialog))
            return work(*expected);
        failUnexpectedDialog(dialog);
        return int(QDialog::Rejected);
    };
}
