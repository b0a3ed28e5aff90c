#pragma once

#include "host_app/sheet_gesture.h"

#include <QCoreApplication>

class QMenu;

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

} // namespace host_app
