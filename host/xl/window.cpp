#include "host/xl/window.h"

#include "host/xl/range.h"
#include "host/xl/worksheet.h"

namespace xl {

std::int32_t Windows::Count() const
{
    return get(QStringLiteral("Count")).toInt32();
}

xl::Window Windows::Item(std::int32_t index) const
{
    return xl::Window(get(QStringLiteral("Item"), {index}));
}

QString Window::Caption() const
{
    return get(QStringLiteral("Caption")).toString();
}

bool Window::Visible() const
{
    return get(QStringLiteral("Visible")).toBool();
}

void Window::setVisible(bool visible) const
{
    let(QStringLiteral("Visible"), visible);
}

std::int32_t Window::WindowState() const
{
    return get(QStringLiteral("WindowState")).toInt32();
}

void Window::setWindowState(std::int32_t state) const
{
    let(QStringLiteral("WindowState"), state);
}

std::int32_t Window::Zoom() const
{
    return get(QStringLiteral("Zoom")).toInt32();
}

void Window::setZoom(std::int32_t percent) const
{
    let(QStringLiteral("Zoom"), percent);
}

std::int32_t Window::ScrollRow() const
{
    return get(QStringLiteral("ScrollRow")).toInt32();
}

void Window::setScrollRow(std::int32_t row) const
{
    let(QStringLiteral("ScrollRow"), row);
}

std::int32_t Window::ScrollColumn() const
{
    return get(QStringLiteral("ScrollColumn")).toInt32();
}

void Window::setScrollColumn(std::int32_t column) const
{
    let(QStringLiteral("ScrollColumn"), column);
}

xl::Sheets Window::SelectedSheets() const
{
    return xl::Sheets(get(QStringLiteral("SelectedSheets")));
}

xl::Worksheet Window::ActiveSheet() const
{
    return xl::Worksheet(get(QStringLiteral("ActiveSheet")));
}

xl::Range Window::ActiveCell() const
{
    return xl::Range(get(QStringLiteral("ActiveCell")));
}

void Window::Activate() const
{
    call(QStringLiteral("Activate"));
}

} // namespace xl
