#pragma once

#include <QString>
#include <QStringList>

namespace picrows {

class PictureList;
class StatusPanel;

// Adds the pictures of items dropped on the picture list, in the order of the drop: an item
// whose name is a picture by f_MatchImageFile is added as it is (even a folder so named); a
// folder is searched (s_AddFolder); anything else is ignored. Reports "現在、i/n を解析中..."
// on the panel, checks Escape after each item and resets the panel at the end. A cancelled
// folder search shows "キャンセルしました。" and ends the drop. What was added stays.
void s_AddDroppedItems(const QStringList& items, PictureList& list, StatusPanel& status);

// Adds the pictures of a folder: its files in name order, then each subfolder in name order,
// recursively. A folder without files of its own is not searched further (its subfolders are
// skipped). Escape is checked after every 100th file and after each subfolder. Answers true
// when the folder was searched to its end, false when the user cancelled.
bool f_AddFolder(const QString& folder, PictureList& list, StatusPanel& status);

} // namespace picrows
