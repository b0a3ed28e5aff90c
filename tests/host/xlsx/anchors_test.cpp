// Anchor markers from points: the cell holding a position is the visible one, and the marker
// reads back as the same position, whatever mix of stated, hidden and default rows the sheet
// has.
#include "host/model/geometry.h"
#include "host/model/workbook.h"
#include "host/xlsx/anchors.h"

#include <gtest/gtest.h>

namespace {

using host::xlsx::AnchorGeometry;
using host::xlsx::CellMarker;

struct SheetCase
{
    const char* name;
    bool hiddenByDefault;
};

class AnchorMarkers : public ::testing::TestWithParam<SheetCase>
{
};

TEST_P(AnchorMarkers, FindTheVisibleCellAndReadBackTheSamePosition)
{
    host::model::Sheet sheet;
    sheet.rowsHiddenByDefault = GetParam().hiddenByDefault;
    sheet.defaultRowHeight = 15;
    sheet.editRow(2).height = 30;
    sheet.editRow(3).hidden = true; // stated and hidden
    sheet.editRow(4).height = 0.75;
    sheet.editRow(10).height = 21;
    sheet.editRow(11).hidden = true;
    sheet.editRow(12).hidden = true;
    sheet.editRow(13).height = 18;
    sheet.setColumn(2, 2, [](host::model::ColumnSpan& c) { c.hidden = true; });
    sheet.setColumn(3, 3, [](host::model::ColumnSpan& c) { c.width = 20; });
    const AnchorGeometry anchors(sheet, 7);
    const host::model::SheetGeometry geometry(sheet, 7);

    for (double y = 0; y < 400; y += 0.35) {
        for (const double x : {0.0, 47.9, 48.0, 60.0, 200.5}) {
            const CellMarker m = anchors.marker(x, y);
            ASSERT_NEAR(anchors.x(m), x, 1e-4);
            ASSERT_NEAR(anchors.y(m), y, 1e-4) << "y " << y;
            // The largest row whose top is at or above y, found by walking the rows.
            int row = 1;
            while (row < 60 && geometry.rowTop(row + 1) <= y)
                ++row;
            if (row < 60) {
                ASSERT_EQ(m.row + 1, row) << "y " << y;
            }
            ASSERT_FALSE(geometry.columnHidden(m.column + 1));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, AnchorMarkers,
                         ::testing::Values(SheetCase{"DefaultRowsShown", false},
                                           SheetCase{"DefaultRowsHidden", true}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
