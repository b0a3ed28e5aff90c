#pragma once

#include <QString>

#include <vector>

namespace host_app {

// One add-in of the current user, as the host's add-in list holds it.
struct AddInEntry
{
    QString progId;       // "TORVA_Picrows.Connect"
    QString friendlyName; // the display name ("TORVA_Picrows")
    QString description;  // COMAddIn.Description ("ピクロウアドイン")
    int loadBehavior = 3; // 3: loaded and connected when the host starts; 0: listed only
    QString library;      // the plugin's file, an absolute path

    friend bool operator==(const AddInEntry&, const AddInEntry&) = default;
};

// The add-in list of the current user: the file "addins.ini" in the folder "picrows-host" of
// the user's configuration folder ($XDG_CONFIG_HOME, else ~/.config). One INI group per add-in,
// named by its ProgID, with the keys FriendlyName, Description, LoadBehavior and Library
// (UTF-8, as QSettings writes INI files):
//
//     [TORVA_Picrows.Connect]
//     Description=ピクロウアドイン
//     FriendlyName=TORVA_Picrows
//     Library=/usr/local/lib/picrows/TORVA_Picrows.so
//     LoadBehavior=3
//
// Groups are read in ProgID order; a group without a library is skipped.
QString addInListPath();

std::vector<AddInEntry> readAddInList(const QString& path);
// Adds the entry, or replaces the one with the same ProgID (letter case ignored). False when
// the file cannot be written.
bool writeAddInEntry(const QString& path, const AddInEntry& entry);

} // namespace host_app
