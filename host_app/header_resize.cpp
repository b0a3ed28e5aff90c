#include "host_app/header_resize.h"

#include "host/objects/worksheet.h"
#include "host_app/commands/line_commands.h"
#include "host_app/edit_history.h"
#include "host_app/sheet_layout.h"
#include "host_app/sheet_view.h"

#include <QCoreApplication>

#include <cmath>

namespace host_app {

using host::model::CellRect;

bool HeaderResizeGesture::press(const PointerEvent& event)
{
    const bool columns = event.hit.part == ViewHit::Part::ColumnHeader;
    if (event.button != Qt::LeftButton || !(columns || event.hit.part == ViewHit::Part::RowHeader))
        return false;
    const auto layout = m_view.layout();
    const auto sheet = m_view.sheet();
    if (!layout || !sheet)
        return false;
    const double at = columns ? event.pos.x() : event.pos.y();
    const auto edges = columns ? layout->visibleColumns() : layout->visibleRows();
    // The border nearest the pointer, the last one when two lie within reach (a hidden line
    // between them stays hidden).
    const SheetLayout::Edge* found = nullptr;
    for (const SheetLayout::Edge& edge : edges)
        if (std::abs(edge.end - at) <= kGrip)
            found = &edge;
    if (!found)
        return false;
    m_columns = columns;
    m_line = found->index;
    m_last = found->index;
    m_start = found->start;
    m_grab = at - found->end;
    // A line of several selected whole lines: they all take the size.
    for (const CellRect& a : sheet->sheet().view.selection) {
        const bool whole = columns ? (a.top == 1 && a.bottom == host::model::kMaxRows)
                                   : (a.left == 1 && a.right == host::model::kMaxColumns);
        const int from = columns ? a.left : a.top;
        const int to = columns ? a.right : a.bottom;
        if (whole && from <= m_line && m_line <= to) {
            m_line = from;
            m_last = to;
        }
    }
    m_before = m_history.snapshot(*sheet);
    return true;
}

void HeaderResizeGesture::apply(double size)
{
    const auto sheet = m_view.sheet();
    const auto layout = m_view.layout();
    if (!sheet || !layout)
        return;
    const EditHistory::UserEdit scope(m_history);
    const double points = std::max(0.0, size / layout->scale());
    if (m_columns)
        commands::applyColumnPixels(*sheet, m_line, m_last,
                                    int(std::lround(points / host::model::kPointsPerPixel)));
    else
        commands::applyRowPoints(*sheet, m_line, m_last,
                                 std::round(points / host::model::kPointsPerPixel) *
                                     host::model::kPointsPerPixel);
}

void HeaderResizeGesture::move(const PointerEvent& event)
{
    if (!m_before)
        return;
    const double at = (m_columns ? event.pos.x() : event.pos.y()) - m_grab;
    apply(at - m_start);
}

void HeaderResizeGesture::release(const PointerEvent& event)
{
    if (!m_before)
        return;
    move(event);
    const auto sheet = m_view.sheet();
    if (sheet)
        m_history.finish(*sheet,
                         m_columns ? commands::LineTexts::tr("列幅の変更")
                                   : commands::LineTexts::tr("行の高さの変更"),
                         std::move(*m_before));
    m_before.reset();
}

} // namespace host_app
