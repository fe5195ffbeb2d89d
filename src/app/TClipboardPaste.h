#pragma once

class QMimeData;
class TGBusinessCardPanel32;

// Paste of what another program put on the system clipboard: a picture
// (from a browser, an image editor, a screenshot) becomes a picture object
// kept as PNG, at its own size shrunk to fit the card, centred on it; text
// becomes a text label, or a multi-line label when it has several lines.
// What was placed is selected. False when the clipboard holds neither.
bool PasteForeignContent(TGBusinessCardPanel32 &panel, const QMimeData &data);

// Lets the card's Paste take pictures and text from other programs.
void InstallClipboardPaste(TGBusinessCardPanel32 &panel);
