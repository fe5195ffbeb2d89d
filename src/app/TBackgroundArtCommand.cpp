#include "app/TBackgroundArtCommand.h"

#include "app/TMainScreen.h"
#include "design/TGBusinessCardPanel32.h"
#include "dialogs/TLoadBackGround.h"
#include "platform/AppRoutines.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/FormPlacement.h"
#include "platform/UserDialogs.h"

#include <QFileInfo>

void mnuSetorChangeBackgroundArtClick(TMainScreen &window)
{
    TLoadBackGround dialog(&window);
    const QString folder = ProgramSubFolder(QStringLiteral("bg"));
    dialog.SetFolder(folder);
    dialog.SetRotated(window.Layout().Layout.Portrait);
    // An upright card's preview is tall: the dialog gives up width, otherwise height.
    if (dialog.Rotated())
        dialog.resize(dialog.sizeHint().width() - 100, dialog.sizeHint().height());
    else
        dialog.resize(dialog.sizeHint().width(), dialog.sizeHint().height() + 100);
    CenterForm(dialog);
    // The current background is preselected; one that has moved (or was
    // named on Windows) is looked for by name in the folder, letter case
    // ignored. The stored path itself stays as it is.
    const QString current = window.BackgroundPath();
    if (!current.isEmpty()) {
        QString file = CaseInsensitivePath::findExisting(current);
        if (!QFileInfo(file).isFile())
            file = CaseInsensitivePath::findEntry(folder, CaseInsensitivePath::fileNamePart(current));
        if (!file.isEmpty())
            dialog.SelectFile(file);
    }
    const int result = UserDialogs::runModal(dialog);
    TGBusinessCardPanel32 &panel = *window.BusinessCardPanel;
    if (result == QDialog::Accepted) {
        window.SetBackgroundPath(dialog.SelectedFile());
        panel.LoadBackground(window.BackgroundPath());
        panel.update();
        window.SetChangesMade(true);
    } else if (result == TLoadBackGround::NoneResult) {
        window.SetBackgroundPath(QString());
        panel.ClearBackground();
        panel.update();
        window.SetChangesMade(true);
    }
}

void InstallBackgroundArtCommand(TMainScreen &window)
{
    window.SetCommandHandler(TMainCommand::BackgroundArt, [&window] { mnuSetorChangeBackgroundArtClick(window); });
}
