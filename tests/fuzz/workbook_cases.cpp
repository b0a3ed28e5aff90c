#include "tests/fuzz/fuzz_cases.h"

#include "host/automation/host_error.h"
#include "host/model/workbook.h"
#include "host/objects/host.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"
#include "host/render/sheet_render.h"
#include "host/xl/application.h"
#include "host/xl/range.h"
#include "host/xl/shape.h"
#include "host/xl/workbook.h"
#include "host/xl/worksheet.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace fuzz_cases {

namespace {

// Read at most this many cells and shapes of a sheet, and render at most this block: enough to
// reach every kind of record, little enough to keep a run fast.
constexpr int kMaxCells = 400;
constexpr int kMaxShapes = 40;
constexpr int kRenderRows = 30;
constexpr int kRenderColumns = 12;

const QTemporaryDir& workDir()
{
    static const auto* dir =
        new QTemporaryDir(QDir::tempPath() + QStringLiteral("/picrows-fuzz-XXXXXX"));
    return *dir;
}

QString writeInput(const std::uint8_t* data, std::size_t size, const char* name)
{
    const QString path = workDir().filePath(QString::fromLatin1(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size)) {
        std::fprintf(stderr, "cannot write the input to %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

void readCells(const xl::Worksheet& sheet)
{
    const xl::Range used = sheet.UsedRange();
    (void)used.Address();
    const std::int32_t count = std::min(used.Count(), kMaxCells);
    for (std::int32_t i = 1; i <= count; ++i) {
        const xl::Range cell = used.Item(i);
        (void)cell.Value().toString();
        (void)cell.Formula();
        (void)cell.MergeArea().Address();
        (void)cell.Left();
        (void)cell.Width();
        (void)cell.Height();
        (void)cell.Locked();
    }
}

void readShapes(const xl::Worksheet& sheet)
{
    const xl::Shapes shapes = sheet.Shapes();
    const std::int32_t count = std::min(shapes.Count(), kMaxShapes);
    for (std::int32_t i = 1; i <= count; ++i) {
        const xl::Shape shape = shapes.Item(i);
        (void)shape.Name();
        (void)shape.Left();
        (void)shape.Top();
        (void)shape.Width();
        (void)shape.Height();
        (void)shape.Rotation();
        if (shape.Type() == 13) {
            const xl::PictureFormat picture = shape.PictureFormat();
            (void)picture.CropLeft();
            (void)picture.CropBottom();
            (void)picture.Brightness();
        }
    }
}

void render(const xl::Worksheet& sheet)
{
    const auto object = std::dynamic_pointer_cast<host::objects::Worksheet>(sheet.ref());
    if (!object || !object->hasCells())
        return;
    const host::model::Workbook& book = object->book().model();
    const host::model::Sheet& model = object->sheet();
    host::model::CellRect area = host::render::usedArea(book, model);
    area.bottom = std::min(area.bottom, area.top + kRenderRows - 1);
    area.right = std::min(area.right, area.left + kRenderColumns - 1);
    (void)host::render::renderRange(book, model, area, 0.5);
}

// Every read may be refused by the host (a protected or odd sheet): a refusal of one member
// is no fault, so each sheet is read as far as the host lets it.
void readBook(const xl::Workbook& book)
{
    for (const xl::Worksheet& sheet : book.Worksheets().items()) {
        for (const auto& step : {readCells, readShapes, render}) {
            try {
                step(sheet);
            } catch (const host::HostError&) {
            }
        }
    }
}

struct Session
{
    host::objects::Host host;
    xl::Application app{host.application()};
    Session() { app.setDisplayAlerts(false); }
};

} // namespace

Outcome openWorkbook(const std::uint8_t* data, std::size_t size)
{
    initialise();
    const QString path = writeInput(data, size, "input.xlsx");
    Session session;
    xl::Workbook book;
    try {
        book = session.app.Workbooks().Open(path);
    } catch (const host::HostError&) {
        return Outcome::Refused;
    }
    readBook(book);
    return Outcome::Accepted;
}

Outcome resaveWorkbook(const std::uint8_t* data, std::size_t size)
{
    initialise();
    const QString path = writeInput(data, size, "input.xlsx");
    const QString saved = workDir().filePath(QStringLiteral("saved.xlsx"));
    QFile::remove(saved);
    {
        Session session;
        try {
            const xl::Workbook book = session.app.Workbooks().Open(path);
            book.SaveAs(saved);
        } catch (const host::HostError&) {
            return Outcome::Refused;
        }
    }
    Session again;
    try {
        const xl::Workbook book = again.app.Workbooks().Open(saved);
        readBook(book);
    } catch (const host::HostError& e) {
        std::fprintf(stderr, "the host cannot open what it saved: %s\n", qPrintable(e.report()));
        std::abort();
    }
    return Outcome::Accepted;
}

} // namespace fuzz_cases
