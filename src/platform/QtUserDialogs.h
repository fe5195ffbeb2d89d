#pragma once

#include "platform/UserDialogs.h"

// The real dialogs: message boxes, file, colour and font dialogs from Qt,
// parented to UserDialogs::parentWidget().
class QtUserDialogs : public UserDialogs
{
public:
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
};
