#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

// Where windows and dialogs appear: centred over the main window (the
// parent the dialog seam uses), kept on the screen, and the main window's
// own placement remembered in the settings file between runs.

// The settings section of a form: its class name + "_Placement", with the
// pixels per inch appended above 96 ("TMainScreen_Placement120").
QString PlacementSection(const QString &className, int pixelsPerInch);

// A stored rectangle moved back onto a screen of the given size: an edge
// past the right or bottom is pulled in to meet it, a negative left or top
// becomes 1. The size is kept.
QRect KeepOnScreen(QRect rect, QSize screen);

// Both place a form by the size its layout gives it (a form not yet sized
// takes it now) and place it again, by its final size, when it is shown.
// A dialog larger than the screen is made to fit it, as far as its minimum
// size allows.

// A dialog over the main window, moved only as far as needed to lie wholly
// on the screen; the main window (or any form while the main window is
// maximised) on the middle of the screen.
void CenterForm(QWidget &form);
// A dialog over the main window, but one that would not lie wholly on the
// screen there, or is smaller than 100 x 100 pixels, goes to the middle of
// the screen.
void PlaceDialog(QWidget &form);

// "Left", "Top", "Right", "Bottom" of the normal rectangle and "Maximized".
// False when the settings file could not be written.
bool SaveFormPlacement(const QWidget &form);
// A form with nothing stored is centred; the stored rectangle is kept on
// the screen.
void RestoreFormPlacement(QWidget &form);
