#pragma once

#include "host/automation/variant.h"

#include <QString>

#include <functional>

namespace picrows {

class ClipFormats;

// What the chosen file name's last four characters, in upper case, make of it.
enum class SavePicFileType
{
    Emf,     // ".EMF": the clipboard's enhanced metafile as is
    Bmp,     // ".BMP": the clipboard's bitmap
    Jpg,     // ".JPG": the clipboard's bitmap as JPEG
    Unknown, // anything else, ".jpeg" too: nothing is written
};
SavePicFileType savePicFileType(const QString& fileName);

// The file type the save dialog proposes first, by the selection's TypeName: 3 (JPEG) for a
// cell range or a picture, 1 (EMF) for a chart or any other object.
int savePicDefaultFilterIndex(const QString& selectionTypeName);

// The question of the save dialog, as the host's GetSaveAsFilename takes it.
struct SaveAsRequest
{
    QString initialFileName;
    QString fileFilter;
    int filterIndex = 1;
    QString title;
};

// What the command asks of its surroundings. Left empty, each is the usual one: the host's
// GetSaveAsFilename, and the clipboard service in place (platform::clipboard()).
struct SavePicIo
{
    // The chosen file name, or False (or an empty text) when the user cancels.
    std::function<host::Variant(const SaveAsRequest&)> askFileName;
    ClipFormats* clipboard = nullptr;
};

// Saves the attached host's selection (cells, a picture, a chart, any drawing object) as the
// picture the host renders when it is copied, into an EMF, BMP or JPEG file the user names.
// The user's clipboard is saved before the copy and put back afterwards; the host is not
// interactive meanwhile. Answers whether a file was written (the command entry ignores it).
bool s_SavePic(const SavePicIo& io);
void s_Command_Tool_SavePic();

} // namespace picrows
