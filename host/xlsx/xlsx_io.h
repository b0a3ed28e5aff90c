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
//
// The workbook keeps the package it was read from in memory, and every save patches those
// parts with all the changes the model's dirty records hold since loading; so saving over the
// file it came from is safe, and the dirty records must not be cleared after a save. Parts the
// model did not change are copied as they are, compressed data included. Changed text cells
// are written as inline strings (the shared strings part stays as it was). A formula cell
// whose value is not known (kind Empty) is written without a cached value, and any cell change
// sets the workbook to be fully recalculated when a program opens it.
void save(const model::Workbook& book, const QString& path);

// Copies sheet `index` of `from` into `to` at position `insertAt` under `newName`, with
// everything that belongs to it (formats, drawings and the other parts it refers to).
// `from` and `to` may be the same workbook. The copy keeps the original's visibility and
// unsaved changes, is not tab-selected, and `to.activeSheet` still names the same sheet.
// Sheet-scoped defined names (print areas, …) stay with the original; across workbooks, named
// cell styles become the target's Normal style, and pivot tables and threaded comments are
// left out. A taken name raises a HostError.
void copySheet(const model::Workbook& from, int index, model::Workbook& to, int insertAt,
               const QString& newName);

} // namespace host::xlsx
