#pragma once

#include "platform/BuildInfo.h"

#include <QDialog>

class QLabel;

// "About Karvello": the program's version and its web links.
class TAboutBox : public QDialog
{
    Q_OBJECT
public:
    static QString VersionText() { return BuildInfo::VersionText(); }
    static QString BonusArtworkAddress() { return QStringLiteral("https://karvello.example/bonus"); }
    static QString WebSiteAddress() { return QStringLiteral("https://karvello.example/"); }
    // "64-bit version" on a 64-bit build.
    static QString BitsText();

    explicit TAboutBox(QWidget *parent = nullptr);

    QLabel *VersionLabel = nullptr;
    QLabel *BitsLabel = nullptr;
    QLabel *LinkPanel = nullptr;
};
