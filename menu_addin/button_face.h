#pragma once

#include "host/xl/object.h"

#include <QImage>
#include <QString>

#include <functional>

namespace menu_addin {

// Draws the add-in's 16×16 icon `iconName` ("ICON_GET", "ICON_SAVEPIC", "ICON_RETRIMMING")
// over the button's face. The face travels out of the button and back through the clipboard
// (CopyFace, PasteFace), so the user's clipboard content is lost. Never fails: when any step
// fails the button keeps what it had and a beep sounds.
void S_SetIconToOfficeCommandbarButton(const xl::Object& button, const QString& iconName);

// The add-in's icon of that name; null when it has none.
QImage addinIcon(const QString& iconName);

// The beep of a failed face: the desktop's bell. Tests put a counter in place.
using Beeper = std::function<void()>;
Beeper exchangeBeeper(Beeper beeper); // empty: the desktop's bell again
void s_Beep();

} // namespace menu_addin
