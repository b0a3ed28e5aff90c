#pragma once

#include "host/automation/member_table.h"

#include <memory>

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
    bool visible() const { return m_visible; }

private:
    Workbook* m_book;
    bool m_visible = true;
    int m_state = kWindowMaximized;
};

// A workbook's windows: its one window, or none for an add-in.
class Windows : public TableDispatch<Windows>
{
public:
    explicit Windows(std::shared_ptr<Window> window) : m_window(std::move(window)) {}

    static const MemberTable<Windows>& members();
    QString className() const override { return QStringLiteral("Windows"); }
    std::vector<Variant> enumerate() override;

private:
    std::shared_ptr<Window> m_window;
};

} // namespace host::objects
