#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace host::render {
class HostClipboard;
std::shared_ptr<HostClipboard> makeDefaultClipboard();
} // namespace host::render

namespace host::objects {

// What Application.GetSaveAsFilename asks the user.
struct SaveAsQuestion
{
    QString initialFileName;
    QString fileFilter; // the host's form: "JPEG (*.jpg),*.jpg,Bitmap (*.bmp),*.bmp"
    int filterIndex = 1;
    QString title;
};

// The settings a host runs with; tests change them to reach other hosts' branches.
struct HostOptions
{
    QString version = QStringLiteral("16.0"); // Application.Version
    bool is64Bit = false;                     // hInstance answers 0 on a 64-bit host
    QString caption = QStringLiteral("Picrows Host");
    // The host application's title names the active workbook before the caption
    // ("Book1 - Picrows Host") until a caption is set through automation.
    bool captionFollowsWorkbook = false;
    QString path; // Application.Path; "" → the program's folder
    QString standardFont = QStringLiteral("Calibri");
    double standardFontSize = 11;
    int sheetsInNewWorkbook = 1;
    bool cellEditing = false; // a cell is being edited: control 18 is disabled
    QString defaultFilePath;  // where Save of a never-saved book writes; "" → current folder
    // Where Copy puts its rendering and PasteSpecial takes it from: the desktop clipboard
    // when a GUI application runs, else one kept in the process.
    std::shared_ptr<render::HostClipboard> clipboard = render::makeDefaultClipboard();
    // Copies of pictures kept unrendered on a clipboard that can hold them, and pasted as
    // pictures encoded on demand (on worker threads, or when saved). Off renders and encodes
    // every copy and paste at once, as the slow reference the shortcut is checked against;
    // the environment variable PICROWS_EAGER_PICTURES=1 turns it off for a whole process.
    bool deferPictureWork = qEnvironmentVariableIntValue("PICROWS_EAGER_PICTURES") == 0;
    // The save dialog of GetSaveAsFilename: the chosen path, or empty when the user cancels.
    // A host without one (the batch command, tests) answers as if the user cancelled.
    std::function<QString(const SaveAsQuestion&)> saveAsDialog;
    // The open dialog of the insert-picture command (control 2619): the chosen picture files,
    // none when the user cancels. Without one the command is not available.
    std::function<QStringList()> pictureFilesDialog;
    // Whether a command that only the host application's window carries out (undo, redo, the
    // row, column and sheet commands) can run now. Without a window they cannot.
    std::function<bool(int controlId)> windowCommandEnabled;
};

} // namespace host::objects
