#pragma once

#include <QCoreApplication>

class QMimeData;

namespace host::objects {
class Worksheet;
}

namespace host_app {
class EditHistory;
}

// Copy and paste of the user's selection through the desktop clipboard. Cells go there as the
// host's Copy puts them (their rendering, their text tab-separated, the host's marker); this
// program also keeps the copied cells themselves, so that a paste here brings their values,
// formulas (their references moved with them) and formats. A selected picture goes as the
// host's copy of shapes, which the desktop offers other programs as an image. A paste takes,
// in that order: the cells this program copied last if the clipboard still holds them, a
// picture file another program put there (PNG, JPEG or BMP, its bytes kept), the host's own
// pictures or any other image, text (tab- and newline-separated into cells). Pastes are one
// step on the undo stack.
namespace host_app::commands {

class ClipboardTexts
{
    Q_DECLARE_TR_FUNCTIONS(host_app::commands::ClipboardTexts)
};

// Copies the selected cells (one area) or shapes. Host errors reach the caller.
void copySelection(host::objects::Worksheet& sheet);
// Pastes what `data` (the desktop clipboard's content) holds at the active cell; answers
// whether anything was pasted. Host errors reach the caller with the sheet as it was.
bool paste(EditHistory& history, host::objects::Worksheet& sheet, const QMimeData* data);
// Whether a paste of `data` would bring anything.
bool canPaste(const QMimeData* data);

} // namespace host_app::commands
