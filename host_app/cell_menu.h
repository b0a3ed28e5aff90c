#pragma once

#include "host_app/sheet_gesture.h"

#include <QCoreApplication>

#include <functional>

class QMenu;

namespace host::objects {
class Worksheet;
}

namespace host_app {

class EditHistory;
class SheetView;

// The menu a right click on cells or on row or column headers opens: inserting, deleting,
// hiding and showing again the selected rows or columns, clearing, merging and unmerging.
// Each entry is one of the user's edits; a host error shows as a message.
class CellMenu
{
    Q_DECLARE_TR_FUNCTIONS(host_app::CellMenu)

public:
    static void fill(QMenu& menu, ViewHit::Part part, SheetView& view, EditHistory& history);
};

// Runs one of the user's edits on the view's sheet; a host error shows as a message titled
// with the host's caption. Without a sheet nothing happens.
void editShownSheet(SheetView& view, const std::function<void(host::objects::Worksheet&)>& edit);

} // namespace host_app
