#pragma once

#include "host/automation/member_table.h"

#include <QPoint>
#include <QPointF>
#include <QSize>

#include <functional>
#include <memory>
#include <vector>

namespace host::objects {

class Workbook;

inline constexpr int kWindowMinimized = -4140;
inline constexpr int kWindowNormal = -4143;
inline constexpr int kWindowMaximized = -4137;

// The window of a workbook. Zoom and scrolling belong to the active sheet's view; the state
// minimised is the workbook view's.
class Window : public TableDispatch<Window>
{
public:
    explicit Window(Workbook& book) : m_book(&book) {}

    static const MemberTable<Window>& members();
    QString className() const override { return QStringLiteral("Window"); }

    Workbook& book() const;
    void detach() { m_book = nullptr; }
    bool attached() const;
    bool visible() const { return m_visible; }

    // The size in pixels of the area that shows the sheet's cells, as the window on screen
    // has it; VisibleRange and UsableWidth/UsableHeight answer from it. A host without a
    // screen keeps a default size.
    void setViewportPixels(QSize pixels) { m_viewport = pixels; }
    QSize viewportPixels() const { return m_viewport; }

    // Where a sheet position (points from the sheet's corner) is on the screen, in screen
    // pixels, as the window shows the active sheet now: what PointsToScreenPixelsX/Y answer.
    // A host without a screen has none and refuses them.
    using ScreenMapping = std::function<QPoint(QPointF points)>;
    void setScreenMapping(ScreenMapping mapping) { m_toScreen = std::move(mapping); }

private:
    ObjectRef visibleRange();
    QPoint screenPixels(QPointF points); // refused without a screen mapping

    Workbook* m_book;
    bool m_visible = true;
    int m_state = kWindowMaximized;
    QSize m_viewport{1024, 600};
    ScreenMapping m_toScreen;
};

// Windows of workbooks: a workbook's one window (none for an add-in), or the application's
// windows, the active one first.
class Windows : public TableDispatch<Windows>
{
public:
    explicit Windows(std::vector<std::shared_ptr<Window>> windows) : m_windows(std::move(windows))
    {
    }

    static const MemberTable<Windows>& members();
    QString className() const override { return QStringLiteral("Windows"); }
    std::vector<Variant> enumerate() override;

private:
    std::vector<std::shared_ptr<Window>> m_windows;
};

} // namespace host::objects
