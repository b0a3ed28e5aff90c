#pragma once

#include "host/model/workbook.h"
#include "host_app/sheet_gesture.h"

#include <optional>

namespace host_app {

class EditHistory;
class SheetView;

// Column widths and row heights changed by dragging the border after a column (row) in the
// headers; a drag to nothing hides it. When the column (row) is one of several selected
// whole columns (rows), they all take the new size. One step on the undo stack, at the
// release.
class HeaderResizeGesture : public SheetGesture
{
public:
    HeaderResizeGesture(SheetView& view, EditHistory& history) : m_view(view), m_history(history) {}
    bool press(const PointerEvent& event) override;
    void move(const PointerEvent& event) override;
    void release(const PointerEvent& event) override;

    // How near a border (view pixels) a press grabs it.
    static constexpr double kGrip = 3;

private:
    void apply(double size);

    SheetView& m_view;
    EditHistory& m_history;
    std::optional<host::model::Sheet> m_before;
    int m_last = 0; // the last line that takes the size (several selected)
    bool m_columns = true;
    int m_line = 0;     // the column or row whose far border moves
    double m_start = 0; // its near edge, view pixels
    double m_grab = 0;  // the pointer's distance from the border at the press
};

} // namespace host_app
