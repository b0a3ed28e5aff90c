#include "main/reduce/result_row_select.h"

#include "host/automation/host_error.h"
#include "host/xl/application.h"
#include "host/xl/shape.h"
#include "host/xl/workbook.h"
#include "host/xl/worksheet.h"
#include "main/reduce/attempt.h"
#include "main/reduce/reduce_row.h"

#include <cstdio>

namespace picrows {

namespace {

// Groups nest only a few levels; the climb stops well before anything could loop.
constexpr int kMostLevels = 32;

void beep()
{
    std::fputc('\a', stderr);
    std::fflush(stderr);
}

void selectEnclosing(const xl::Application& app, const QString& name)
{
    xl::Object candidate;
    if (!attempt([&] { candidate = app.ActiveSheet().Shapes().Item(name); }))
        return;
    for (int level = 0; level < kMostLevels; ++level) {
        std::int32_t count = 0;
        if (!attempt([&] { count = xl::Shape(candidate.ref()).GroupItems().Count(); }))
            return;
        if (count == 1) {
            attempt([&] { candidate.call(QStringLiteral("Select")); });
            return;
        }
        if (!attempt([&] { candidate = xl::Object(candidate.get(QStringLiteral("Parent"))); }))
            return;
    }
}

} // namespace

void s_SelectResultRowObject(const xl::Application& app, const ReduceRow& row)
{
    attempt([&] { app.Workbooks().Item(row.book).Activate(); });
    attempt([&] { app.ActiveWorkbook().Worksheets(row.sheet).Activate(); });
    if (!attempt([&] { app.ActiveSheet().Shapes().Item(row.object).Select(); })) {
        beep();
        selectEnclosing(app, row.object);
    }
    attempt([&] { app.setScreenUpdating(true); });
}

} // namespace picrows
