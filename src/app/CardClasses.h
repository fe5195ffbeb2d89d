#pragma once

#include "objects/TGLineShape.h"

#include <QPoint>

// Registers every card object class in the order card documents know them,
// with the tools that draw them and the properties a double-click opens, and
// installs the component streamer. The program, karvello-tool and the tests
// call it once before making panels; repeated calls do nothing.
void registerCardClasses();

// The line the line tool draws for a drag from press to release: mostly
// across is horizontal, mostly down is vertical, otherwise the diagonal
// the mouse went along.
TLineStyle lineStyleForDrag(QPoint drag);
