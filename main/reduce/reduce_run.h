#pragma once

#include "host/automation/host_error.h"
#include "host/xl/application.h"
#include "main/reduce/reduce_picture.h"
#include "main/reduce/reduce_row.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace platform {
class Clipboard;
}

namespace picrows {

class c_Setting;

// The options of a reduction run, as the dialog collects them.
struct ReduceOptions
{
    // 0 the active sheet, 1 every visible sheet of the active workbook, 2 every visible sheet of
    // every open workbook that has a visible window and is not an add-in.
    std::int32_t target = 0;
    PictureReduction picture;

    // From the stored settings (ConvertTaisyou, ConvertSyukusyou, ConvertSyukusyouBairitsu,
    // ConvertCutTrimming), the factor brought into 1…10.
    static ReduceOptions from(const c_Setting& setting);
    // Back into the settings, as the dialog stores them when it closes while idle.
    void storeInto(c_Setting& setting) const;
};

// The factor a value typed into the factor box stands for: rounded to a whole number (ties to
// even), then raised to 1 or lowered to 10.
std::int16_t reduceFactorOf(double typed);

// The start button can be pressed only when the run has something to do.
bool reduceStartEnabled(bool reduce, bool cut);

// The dialog's caption while idle: the program title and " - 原型サイズの縮小".
QString reduceDialogCaption();

// Where a run reports: the result list and the progress caption. The dialog shows them; the
// batch command prints them.
class ReduceView
{
public:
    virtual ~ReduceView();
    // A row at the end of the list, with its icon, scrolled into view.
    virtual void addRow(const ReduceRow& row) = 0;
    // "BOOK!SHEET  (i/n)" before each picture.
    virtual void setProgress(const QString& caption) = 0;
    // The user answered No to the cancel question: the start button takes clicks again.
    virtual void cancelDeclined() {}
};

struct ReduceOutcome
{
    std::vector<ReduceRow> rows;
    std::int32_t total = 0;     // pictures of the sheets visited (protected sheets excluded)
    bool stoppedByUser = false; // the cancel question was answered Yes
    std::optional<host::HostError> error; // a host error that ended the loops early
};

// The reduction run over the pictures of a sheet, a workbook or every open workbook. Between
// pictures it lets pending events run and, when a cancel was requested (requestCancel, or
// Escape held), asks "読み込みをキャンセルしますか？". At the end the workbook, sheet,
// selection and scroll position of the start come back and screen updating is switched on.
class ReduceRun
{
public:
    // `clipboard` is the one the host's Copy fills (the capture of each picture measures
    // through it).
    ReduceRun(xl::Application app, platform::Clipboard& clipboard, ReduceView& view);

    ReduceOutcome run(const ReduceOptions& options);

    bool isRunning() const { return m_running; }
    // The start button pressed during a run, or the dialog asked to close: the run asks its
    // question after the current picture.
    void requestCancel() { m_cancelRequested = true; }

private:
    // False when the user answered Yes to the cancel question.
    bool goOn();
    void add(ReduceOutcome& outcome, const ReduceRow& row);
    void visitSheets(const ReduceOptions& options, ReduceOutcome& outcome);

    xl::Application m_app;
    platform::Clipboard& m_clipboard;
    ReduceView& m_view;
    bool m_running = false;
    bool m_cancelRequested = false;
};

} // namespace picrows
