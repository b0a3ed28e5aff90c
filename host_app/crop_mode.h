#pragma once

#include "host/model/workbook.h"
#include "host_app/commands/shape_commands.h"
#include "host_app/sheet_gesture.h"

#include <QObject>
#include <QTransform>

#include <optional>

namespace host_app {

class EditHistory;
class SheetView;

// Crop mode on the one selected picture: the whole picture shows, dimmed where it is cropped
// away, and the crop handles at the corners and sides of what shows move the crops (in
// points of the untouched picture, as PictureFormat.CropLeft/Top/Right/Bottom state them).
// Enter, Escape or a press anywhere but on the handles ends it; the crops made in one mode
// are one step on the undo stack.
class CropMode : public QObject, public SheetGesture
{
    Q_OBJECT

public:
    CropMode(SheetView& view, EditHistory& history);

    // Starts the mode when exactly one picture is selected; answers whether it started.
    bool enter();
    void end();
    bool active() const { return m_picture != 0; }
    int picture() const { return m_picture; }

    bool press(const PointerEvent& event) override;
    void move(const PointerEvent& event) override;
    void release(const PointerEvent& event) override;
    bool key(QKeyEvent* event) override;
    void paint(QPainter& painter, const SheetLayout& layout) override;

    // The crop handle at a view position.
    std::optional<commands::Handle> handleAt(QPointF pos) const;

    static constexpr double kGrip = 6; // view pixels

Q_SIGNALS:
    void activeChanged(bool active);

private:
    SheetView& m_view;
    EditHistory& m_history;
    int m_picture = 0;
    std::optional<host::model::Sheet> m_before;
    bool m_dragging = false;
    commands::Handle m_handle = commands::Handle::BottomRight;
    QPointF m_start;        // sheet points, in the picture's own axes
    double m_crops[4] = {}; // left, top, right, bottom at the press
    double m_scaleX = 1;    // displayed points per untouched point
    double m_scaleY = 1;
    QTransform m_toPicture; // sheet points to the picture's own axes, as at the press
};

} // namespace host_app
