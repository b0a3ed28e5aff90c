#pragma once

#include <QString>

#include <memory>

namespace host::model {
struct Workbook;
}

// The workbook files behind Workbooks.Add/Open and Workbook.Save/SaveAs, and sheet copies.
namespace host::objects {

std::unique_ptr<model::Workbook> createWorkbookModel(int sheetCount);
std::unique_ptr<model::Workbook> loadWorkbookModel(const QString& path);
void saveWorkbookModel(const model::Workbook& book, const QString& path);
void copySheetModel(const model::Workbook& from, int index, model::Workbook& to, int insertAt,
                    const QString& newName);

// An absolute, clean path for a file name; relative names are taken from `defaultFolder`
// (the current folder when empty).
QString absoluteBookPath(const QString& fileName, const QString& defaultFolder);
// The file name of a full name ("/a/b/Book.xlsx" → "Book.xlsx"; "Book1" → "Book1").
QString fileNameOf(const QString& fullName);
// The folder of a full name, "" for a bare name.
QString folderOf(const QString& fullName);

} // namespace host::objects
