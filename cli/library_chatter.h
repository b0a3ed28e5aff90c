#pragma once

namespace cli {

// Keeps the image libraries' own remarks ("libpng error: …", "qt.gui.imageio…: Corrupt JPEG
// data …") off standard error, which carries the batch command's one-line messages: the host
// refuses such a picture with a reason of its own, which the command reports. Every other Qt
// message goes where it went before. Installed once, before any picture is read.
void dropImageLibraryChatter();

} // namespace cli
