#pragma once

#include <QString>

#include <memory>

namespace host::model {
struct Workbook;
}

// Reading and writing workbooks as .xlsx packages. Errors are host errors (number and
// description); nothing is written when a save fails, and the existing file stays intact.
namespace host::xlsx {

// Loads a workbook. A file that is missing, not a package, truncated, hostile (zip bomb,
// entries outside the package, malformed XML) or otherwise unreadable raises a HostError
// with a description that says why.
std::unique_ptr<model::Workbook> load(const QString& path);

// A new workbook of `sheetCount` empty worksheets named "Sheet1", "Sheet2", …
std::unique_ptr<model::Workbook> create(int sheetCount);

// Writes the workbook to `path` atomically (a new file beside it, renamed into place).
// Everything of the package that the model does not hold is written back unchanged.
void save(const model::Workbook& book, const QString& path);

// Copies sheet `index` of `from` into `to` at position `insertAt` under `newName`, with
// everything that belongs to it (formats, drawings and the other parts it refers to).
// `from` and `to` may be the same workbook.
void copySheet(const model::Workbook& from, int index, model::Workbook& to, int insertAt,
               const QString& newName);

} // namespace host::xlsx
