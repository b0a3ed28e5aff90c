#pragma once

#include <QRect>
#include <QString>

#include <cstdint>

class QWidget;

namespace platform {
class SettingsStore;
}

namespace picrows {

// Makes the host's main window (an X11 window id, possibly of another process) the owner of a
// top-level dialog: the window manager keeps the dialog above it and hides and shows it with
// it. An id of 0 leaves the dialog unowned.
void s_SetParentWindow(QWidget* window, std::int32_t ownerWindowId);

// Twips per pixel of the screen the widget is on (15 at 96 dpi).
double twipsPerPixel(const QWidget* widget);

// The placement of a dialog between runs, in the section "position" of the settings store:
// `<name without its first three characters>_Left`, `_Top`, and for resizable dialogs `_Width`
// and `_Height`, in twips, as decimal text. Left and top are those of the window's frame;
// width and height its outer size.
class c_WinPosition
{
public:
    explicit c_WinPosition(platform::SettingsStore& store) : m_store(store) {}

    // A missing key keeps the dialog's current value; a negative left or top becomes 0; a
    // width or height of 0 or less becomes 2000 twips.
    void restore(QWidget& dialog, const QString& formName, bool resizable) const;
    void save(const QWidget& dialog, const QString& formName, bool resizable) const;

    static QString section();                          // "position"
    static QString keyPrefix(const QString& formName); // "frmGet" → "Get"

private:
    platform::SettingsStore& m_store;
};

// The edge of a window the user drags, as the window system names it.
enum class DragEdge
{
    Left,
    Right,
    Top,
    TopLeft,
    TopRight,
    Bottom,
    BottomLeft,
    BottomRight
};

// A proposed window rectangle kept at least `minWidth` × `minHeight` pixels: the dragged edge
// stops, the opposite one stays where it is; an edge not being dragged is left alone.
QRect limitDragRect(DragEdge edge, const QRect& proposed, int minWidth, int minHeight);

// Keeps a resizable dialog from being dragged smaller than a minimum size. There are two
// limiters, one for the insertion dialog (`Main`) and one for the trimming dialog (`Control`);
// each serves one window at a time.
class ResizeLimiter
{
public:
    enum Kind
    {
        Main,
        Control
    };
    static ResizeLimiter& instance(Kind kind);

    // Starts serving `window`; while it already serves one, shows
    // "Err:SubClass_Start_WindowResizeRimit_Main" (or "…_Control") and keeps that one.
    void start(QWidget* window, int minWidth, int minHeight);
    void stop();
    QWidget* window() const;

private:
    explicit ResizeLimiter(Kind kind) : m_kind(kind) {}
    class Filter;

    Kind m_kind;
    Filter* m_filter = nullptr;
};

} // namespace picrows
