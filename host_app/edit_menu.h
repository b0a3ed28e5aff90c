#pragma once

#include "host_app/sheet_gesture.h"

#include <QCoreApplication>

class QMenu;

namespace host_app {

class EditHistory;
class SheetView;

// The Edit menu's own commands over the sheet a view shows: copy and paste through the
// desktop clipboard, group and ungroup of the selected shapes. Host errors are told to the
// user, the sheet left as it was.
class EditMenu
{
    Q_DECLARE_TR_FUNCTIONS(host_app::EditMenu)

public:
    // Appends the commands to `menu`, enabled as the view's sheet allows them.
    static void fill(QMenu& menu, SheetView& view, EditHistory& history);

    static void copy(SheetView& view);
    static void paste(SheetView& view, EditHistory& history);
    static void group(SheetView& view, EditHistory& history);
    static void ungroup(SheetView& view, EditHistory& history);
};

// Ctrl+C and Ctrl+V (and the desktop's other keys for copy and paste) over the cells and
// shapes; an editor with the focus keeps them for its text.
class ClipboardKeys : public SheetGesture
{
public:
    ClipboardKeys(SheetView& view, EditHistory& history) : m_view(view), m_history(history) {}
    bool press(const PointerEvent&) override { return false; }
    bool key(QKeyEvent* event) override;

private:
    SheetView& m_view;
    EditHistory& m_history;
};

} // namespace host_app
