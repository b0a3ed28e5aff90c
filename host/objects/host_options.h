#pragma once

#include <QString>

#include <memory>

namespace host::render {
class HostClipboard;
std::shared_ptr<HostClipboard> makeDefaultClipboard();
} // namespace host::render

namespace host::objects {

// The settings a host runs with; tests change them to reach other hosts' branches.
struct HostOptions
{
    QString version = QStringLiteral("16.0"); // Application.Version
    bool is64Bit = false;                     // hInstance answers 0 on a 64-bit host
    QString caption = QStringLiteral("Picrows Host");
    QString path; // Application.Path; "" → the program's folder
    QString standardFont = QStringLiteral("Calibri");
    double standardFontSize = 11;
    int sheetsInNewWorkbook = 1;
    bool cellEditing = false;    // a cell is being edited: control 18 is disabled
    bool macroWorkbook = true;   // the macro workbook is loaded
    QString macroWorkbookFolder; // where the macro workbook lives; "" → Path
    QString defaultFilePath;     // where Save of a never-saved book writes; "" → current folder
    // Where Copy puts its rendering and PasteSpecial takes it from: the desktop clipboard
    // when a GUI application runs, else one kept in the process.
    std::shared_ptr<render::HostClipboard> clipboard = render::makeDefaultClipboard();
};

// The macro workbook the host provides itself, and its two macros.
inline const QString kMacroWorkbookName = QStringLiteral("@TORVA_Picrows.xlam");

} // namespace host::objects
