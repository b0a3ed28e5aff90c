#pragma once

#include "host/xl/object.h"

#include <cstdint>
#include <vector>

namespace xl {

class Sheets;
class Windows;
class Workbook;
class Worksheet;

class Workbooks : public Object
{
public:
    using Object::Object;

    std::int32_t Count() const;
    xl::Workbook Item(std::int32_t index) const;
    xl::Workbook Item(const QString& name) const;
    std::vector<xl::Workbook> items() const; // For Each
    // A new workbook with SheetsInNewWorkbook empty sheets, named "Book1", "Book2", …
    xl::Workbook Add() const;
    // Opens a workbook file; a workbook already open under that full name is activated.
    xl::Workbook Open(const QString& fileName) const;
};

class Workbook : public Object
{
public:
    using Object::Object;

    QString Name() const;
    QString FullName() const; // path and name; the bare name while never saved
    QString Path() const;     // "" while never saved
    bool Saved() const;
    void setSaved(bool saved) const;
    bool IsAddin() const;

    xl::Sheets Worksheets() const;
    xl::Worksheet Worksheets(std::int32_t index) const;
    xl::Worksheet Worksheets(const QString& name) const;
    xl::Sheets Sheets() const;
    xl::Worksheet Sheets(std::int32_t index) const;
    xl::Worksheet Sheets(const QString& name) const;
    xl::Worksheet ActiveSheet() const;
    xl::Windows Windows() const;

    // Palette entry 1–56 as a colour value (red in the low byte).
    std::int32_t Colors(std::int32_t index) const;
    void setColors(std::int32_t index, std::int32_t color) const;

    void Activate() const;
    void Save() const;
    void SaveAs(const QString& fileName) const;
    void Close() const; // without saving
    void Close(bool saveChanges) const;
};

} // namespace xl
