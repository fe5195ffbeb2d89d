#pragma once

#include <QString>
#include <QStringList>

// The templates, backgrounds, textures and clip art that come with the
// program are installed read-only (share/karvello/art under the install
// prefix, or resources/art in the source tree when run from a build, through
// the link "shipped-art" that the build puts beside its programs); the
// program works on its own writable copies in the program folder.

// The art folders, each named like its program sub-folder.
QStringList ShippedArtFolders();

// The folder holding the shipped art's sub-folders: under the installed
// program's prefix first, else the build's link to its source tree; empty
// when neither is there.
QString ShippedArtFolder();

// Copies every shipped file that the program folder's matching sub-folder
// lacks (letter case ignored, so "KVLT" and "kvlt" are one folder and one
// file), never replacing a file that is there. Returns the number of files
// copied; failures are skipped, as the program runs without the art.
int InstallShippedArt(const QString &from = ShippedArtFolder());
