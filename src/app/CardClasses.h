#pragma once

// Registers every card object class in the order card documents know them,
// with the tools that draw them, and installs the component streamer. The
// program, karvello-tool and the tests call it once before making panels;
// repeated calls do nothing.
void registerCardClasses();
