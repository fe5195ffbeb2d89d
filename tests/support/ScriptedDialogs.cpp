#include "support/ScriptedDialogs.h"

#include <QTest>

QStringList ScriptedDialogs::texts() const
{
    QStringList result;
    for (const Message &message : messages)
        result << message.text;
    return result;
}

static QStringList textsOf(const QList<ScriptedDialogs::Message> &messages,
                           ScriptedDialogs::Message::Kind kind)
{
    QStringList result;
    for (const auto &message : messages)
        if (message.kind == kind)
            result << message.text;
    return result;
}

QStringList ScriptedDialogs::questions() const
{
    return textsOf(messages, Message::Ask);
}

QStringList ScriptedDialogs::informations() const
{
    return textsOf(messages, Message::Inform);
}

int ScriptedDialogs::count(Message::Kind kind) const
{
    return int(textsOf(messages, kind).size());
}

void ScriptedDialogs::clear()
{
    *this = ScriptedDialogs();
}

bool ScriptedDialogs::ask(const QString &text, const QString &caption)
{
    messages.append({Message::Ask, text, caption});
    if (answers.isEmpty()) {
        ++unscriptedQuestions;
        return false;
    }
    return answers.dequeue();
}

TAnswer ScriptedDialogs::askWithCancel(const QString &text, const QString &caption)
{
    if (answersWithCancel.isEmpty())
        return ask(text, caption) ? TAnswer::anYes : TAnswer::anNo;
    messages.append({Message::Ask, text, caption});
    return answersWithCancel.dequeue();
}

void ScriptedDialogs::informTitled(const QString &text, const QString &caption)
{
    messages.append({Message::Inform, text, caption});
}

void ScriptedDialogs::inform(const QString &text)
{
    messages.append({Message::Inform, text, QStringLiteral("Information")});
}

void ScriptedDialogs::error(const QString &text)
{
    messages.append({Message::Error, text, QString()});
}

QString ScriptedDialogs::openFileName(const QString &caption, const QString &folder,
                                      const QString &filter)
{
    fileRequests.append({caption, folder, filter, QString()});
    return openFileNames.isEmpty() ? QString() : openFileNames.dequeue();
}

QString ScriptedDialogs::saveFileName(const QString &caption, const QString &suggestedPath,
                                      const QString &filter, const QString &defaultSuffix)
{
    fileRequests.append({caption, suggestedPath, filter, defaultSuffix});
    return saveFileNames.isEmpty() ? QString() : saveFileNames.dequeue();
}

std::optional<TColor> ScriptedDialogs::chooseColor(TColor initial)
{
    colorRequests.append(initial);
    return colors.isEmpty() ? std::nullopt : colors.dequeue();
}

std::optional<TColor> ScriptedDialogs::chooseColorWithCustom(TColor initial, QList<TColor> &customColors)
{
    customColorRequests.append(customColors);
    const std::optional<TColor> chosen = chooseColor(initial);
    if (chosen && !customColorAnswers.isEmpty())
        customColors = customColorAnswers.dequeue();
    return chosen;
}

std::optional<TFont> ScriptedDialogs::chooseFont(const TFont &initial, bool trueTypeOnly)
{
    fontRequests.append(initial);
    fontTrueTypeOnly.append(trueTypeOnly);
    return fonts.isEmpty() ? std::nullopt : fonts.dequeue();
}

void ScriptedDialogs::beep()
{
    ++beeps;
}

ScriptedDialogs &ScriptedDialogs::installNew()
{
    auto dialogs = std::make_unique<ScriptedDialogs>();
    ScriptedDialogs &result = *dialogs;
    UserDialogs::install(std::move(dialogs));
    return result;
}

ScopedScriptedDialogs::ScopedScriptedDialogs()
{
    auto dialogs = std::make_unique<ScriptedDialogs>();
    m_dialogs = dialogs.get();
    m_previous = UserDialogs::install(std::move(dialogs));
}

ScopedScriptedDialogs::~ScopedScriptedDialogs()
{
    UserDialogs::install(std::move(m_previous));
}

ScopedModalRunner::ScopedModalRunner(std::function<int(QDialog &)> runner)
    : m_previous(UserDialogs::setModalRunner(std::move(runner)))
{
}

ScopedModalRunner::~ScopedModalRunner()
{
    UserDialogs::setModalRunner(std::move(m_previous));
}

void failUnexpectedDialog(const QDialog &dialog)
{
    const QByteArray message = QByteArray("unexpected dialog ") + dialog.metaObject()->className() + " \""
        + dialog.windowTitle().toUtf8() + "\"";
    QTest::qFail(message.constData(), __FILE__, __LINE__);
}
