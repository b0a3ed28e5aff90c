#pragma once

#include <QString>

namespace host::model {
struct Sheet;
struct Workbook;
} // namespace host::model

// The host's rules for sheet names.
namespace host::objects {

inline constexpr int kMaxSheetNameLength = 31;

// Raises host error 1004 with the host's wording when `name` cannot name a sheet of `book`:
// empty, longer than 31 characters, holding one of : \ / ? * [ ], starting or ending with an
// apostrophe, reserved, or taken by another sheet (letter case ignored). `self` is the sheet
// being renamed, which may keep its own name in another letter case.
void checkSheetName(const model::Workbook& book, const QString& name, const model::Sheet* self);

// "Sheet" + the next number after the highest "SheetN" of the book.
QString nextSheetName(const model::Workbook& book);

// The name of a copy of sheet `name` in `target`: the name itself when it is free there,
// else "name (2)", "name (3)", …, shortening the name to stay within 31 characters.
QString copyName(const model::Workbook& target, const QString& name);

} // namespace host::objects
