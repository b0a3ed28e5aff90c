#include "host/xl/application.h"

#include "host/automation/events.h"
#include "host/automation/host_error.h"
#include "host/xl/com_addins.h"
#include "host/xl/command_bars.h"
#include "host/xl/range.h"
#include "host/xl/window.h"
#include "host/xl/workbook.h"
#include "host/xl/worksheet.h"

namespace xl {

QString Application::Version() const
{
    return get(QStringLiteral("Version")).toString();
}

QString Application::Caption() const
{
    return get(QStringLiteral("Caption")).toString();
}

QString Application::Path() const
{
    return get(QStringLiteral("Path")).toString();
}

std::int32_t Application::hInstance() const
{
    return get(QStringLiteral("hInstance")).toInt32();
}

xl::Workbook Application::ActiveWorkbook() const
{
    return xl::Workbook(get(QStringLiteral("ActiveWorkbook")));
}

xl::Worksheet Application::ActiveSheet() const
{
    return xl::Worksheet(get(QStringLiteral("ActiveSheet")));
}

xl::Window Application::ActiveWindow() const
{
    return xl::Window(get(QStringLiteral("ActiveWindow")));
}

Object Application::Selection() const
{
    return Object(get(QStringLiteral("Selection")));
}

xl::Range Application::ActiveCell() const
{
    return xl::Range(get(QStringLiteral("ActiveCell")));
}

xl::Range Application::Cells() const
{
    return xl::Range(get(QStringLiteral("Cells")));
}

xl::Range Application::Range(const QString& address) const
{
    return xl::Range(get(QStringLiteral("Range"), {address}));
}

bool Application::ScreenUpdating() const
{
    return get(QStringLiteral("ScreenUpdating")).toBool();
}

void Application::setScreenUpdating(bool on) const
{
    let(QStringLiteral("ScreenUpdating"), on);
}

bool Application::EnableEvents() const
{
    return get(QStringLiteral("EnableEvents")).toBool();
}

void Application::setEnableEvents(bool on) const
{
    let(QStringLiteral("EnableEvents"), on);
}

bool Application::Interactive() const
{
    return get(QStringLiteral("Interactive")).toBool();
}

void Application::setInteractive(bool on) const
{
    let(QStringLiteral("Interactive"), on);
}

bool Application::DisplayAlerts() const
{
    return get(QStringLiteral("DisplayAlerts")).toBool();
}

void Application::setDisplayAlerts(bool on) const
{
    let(QStringLiteral("DisplayAlerts"), on);
}

host::Variant Application::CutCopyMode() const
{
    return get(QStringLiteral("CutCopyMode"));
}

void Application::setCutCopyMode(const host::Variant& mode) const
{
    let(QStringLiteral("CutCopyMode"), mode);
}

QString Application::StandardFont() const
{
    return get(QStringLiteral("StandardFont")).toString();
}

void Application::setStandardFont(const QString& name) const
{
    let(QStringLiteral("StandardFont"), name);
}

double Application::StandardFontSize() const
{
    return get(QStringLiteral("StandardFontSize")).toDouble();
}

void Application::setStandardFontSize(double size) const
{
    let(QStringLiteral("StandardFontSize"), size);
}

std::int32_t Application::SheetsInNewWorkbook() const
{
    return get(QStringLiteral("SheetsInNewWorkbook")).toInt32();
}

void Application::setSheetsInNewWorkbook(std::int32_t count) const
{
    let(QStringLiteral("SheetsInNewWorkbook"), count);
}

xl::Workbooks Application::Workbooks() const
{
    return xl::Workbooks(get(QStringLiteral("Workbooks")));
}

xl::CommandBars Application::CommandBars() const
{
    return xl::CommandBars(get(QStringLiteral("CommandBars")));
}

xl::COMAddIns Application::COMAddIns() const
{
    return xl::COMAddIns(get(QStringLiteral("COMAddIns")));
}

xl::COMAddIn Application::COMAddIns(const QString& progId) const
{
    return xl::COMAddIn(get(QStringLiteral("COMAddIns"), {progId}));
}

host::Variant Application::GetSaveAsFilename(const QString& initialFileName,
                                             const QString& fileFilter, std::int32_t filterIndex,
                                             const QString& title) const
{
    host::Args args;
    args.add(QStringLiteral("InitialFilename"), initialFileName)
        .add(QStringLiteral("FileFilter"), fileFilter)
        .add(QStringLiteral("FilterIndex"), filterIndex)
        .add(QStringLiteral("Title"), title);
    return call(QStringLiteral("GetSaveAsFilename"), args);
}

host::Variant Application::Run(const QString& macro, const std::vector<host::Variant>& args) const
{
    host::Args a{macro};
    a.positional.insert(a.positional.end(), args.begin(), args.end());
    return call(QStringLiteral("Run"), std::move(a));
}

int Application::onSheetSelectionChange(std::function<void(xl::Worksheet, xl::Range)> handler) const
{
    return advise(std::make_shared<host::CallbackSink>(
        [handler = std::move(handler)](const QString& name,
                                       const std::vector<host::Variant>& args) {
            if (name.compare(QStringLiteral("SheetSelectionChange"), Qt::CaseInsensitive) == 0 &&
                args.size() == 2)
                handler(xl::Worksheet(args[0]), xl::Range(args[1]));
        }));
}

int Application::advise(std::shared_ptr<host::EventSink> sink) const
{
    host::EventSource* source = host::deref(m_object).events();
    if (!source)
        host::raise(host::err::NotSupported);
    return source->advise(std::move(sink));
}

void Application::unadvise(int cookie) const
{
    if (host::EventSource* source = host::deref(m_object).events())
        source->unadvise(cookie);
}

} // namespace xl
