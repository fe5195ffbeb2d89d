#pragma once

#include <QString>
#include <QUrl>

// The help: HTML pages in the program's resources shown in the help window,
// reached by topic number (the "Help" buttons of the dialogs) or through the
// contents page. A dialog whose topic has no page of its own gets the
// contents page.

// The contents page.
QUrl HelpContentsPage();
// The page of a topic number (the contents page when none is registered).
QUrl HelpTopicPage(int topic);
// Maps a topic number to a page: "qrc:/help/layout.html", or a bare file
// name taken from the help folder ("layout.html").
void RegisterHelpTopic(int topic, const QString &page);

void HelpTopic(int topic);
void HelpContents();

// The program's resources (icons, help pages); idempotent. The window calls
// it; tests that read resources without a window call it too.
void InitKarvelloResources();
