#pragma once

#include "host/xl/object.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace host {
class EventSink;
}

namespace xl {

class COMAddIn;
class COMAddIns;
class CommandBars;
class Range;
class Window;
class Workbook;
class Workbooks;
class Worksheet;

class Application : public Object
{
public:
    using Object::Object;

    QString Version() const;
    QString Caption() const;
    QString Path() const;
    std::int32_t hInstance() const;

    xl::Workbook ActiveWorkbook() const; // Nothing when no workbook is open
    xl::Worksheet ActiveSheet() const;   // Nothing when no workbook is open
    xl::Window ActiveWindow() const;     // Nothing when no workbook is open
    Object Selection() const;            // a Range for cells; Nothing without a workbook
    xl::Range ActiveCell() const;        // Nothing without a workbook
    xl::Range Cells() const;
    xl::Range Range(const QString& address) const;

    bool ScreenUpdating() const;
    void setScreenUpdating(bool on) const;
    bool EnableEvents() const;
    void setEnableEvents(bool on) const;
    bool Interactive() const;
    void setInteractive(bool on) const;
    bool DisplayAlerts() const;
    void setDisplayAlerts(bool on) const;
    host::Variant CutCopyMode() const; // False, or 1 (copy) / 2 (cut)
    void setCutCopyMode(const host::Variant& mode) const;

    QString StandardFont() const;
    void setStandardFont(const QString& name) const;
    double StandardFontSize() const;
    void setStandardFontSize(double size) const;
    std::int32_t SheetsInNewWorkbook() const;
    void setSheetsInNewWorkbook(std::int32_t count) const;

    xl::Workbooks Workbooks() const;
    xl::CommandBars CommandBars() const;
    xl::COMAddIns COMAddIns() const;
    xl::COMAddIn COMAddIns(const QString& progId) const;

    // The host's save dialog: the chosen path, or False when the user cancels. Nothing is
    // written. The filter is the host's form ("JPEG (*.jpg),*.jpg,Bitmap (*.bmp),*.bmp").
    host::Variant GetSaveAsFilename(const QString& initialFileName, const QString& fileFilter,
                                    std::int32_t filterIndex, const QString& title) const;

    // Runs a macro ("'Book.xlam'!Macro") with up to 30 arguments.
    host::Variant Run(const QString& macro, const std::vector<host::Variant>& args = {}) const;

    // Events. The handler receives the sheet and the newly selected range; the answer is a
    // cookie for unadvise().
    int onSheetSelectionChange(std::function<void(xl::Worksheet, xl::Range)> handler) const;
    int advise(std::shared_ptr<host::EventSink> sink) const;
    void unadvise(int cookie) const;
};

} // namespace xl
