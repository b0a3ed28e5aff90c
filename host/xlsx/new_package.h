#pragma once

#include <memory>

namespace host::model {
struct PackageState;
struct Workbook;
} // namespace host::model

namespace host::xlsx {

// The smallest package that Excel and LibreOffice open: content types, the package and
// workbook relationships, a workbook part without sheets and a styles part. The writer adds
// the sheets of the model as it adds new sheets to any package.
std::shared_ptr<model::PackageState> newPackage(const model::Workbook& book);

// Content types of the parts the writer creates.
inline constexpr const char* kWorksheetType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";
inline constexpr const char* kStylesType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml";

} // namespace host::xlsx
