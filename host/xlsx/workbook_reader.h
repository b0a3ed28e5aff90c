#pragma once

#include <memory>

namespace host::model {
struct Workbook;
}

namespace host::xlsx {

class ZipArchive;

// Reads the workbook of an opened package into the model, keeping the package for saving.
// Raises a PackageError when the package holds no readable workbook.
std::unique_ptr<model::Workbook> readWorkbook(std::shared_ptr<const ZipArchive> archive);

} // namespace host::xlsx
