#pragma once

#include <QAction>

// One entry of the recent-files list in the File menu: "&1 path".
class TMRUMenuItem : public QAction
{
public:
    TMRUMenuItem(int position, const QString &path, QObject *parent)
        : QAction(caption(position, path), parent), m_path(path)
    {
    }

    QString Path() const { return m_path; }

    // "&" + position + " " + path; an "&" in the path is shown as itself.
    static QString caption(int position, const QString &path)
    {
        QString shown = path;
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        return QStringLiteral("&%1 %2").arg(position).arg(shown);
    }

private:
    QString m_path;
};
