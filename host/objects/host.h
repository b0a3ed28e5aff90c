#pragma once

#include "host/automation/add_in_workbook.h"
#include "host/automation/variant.h"
#include "host/objects/host_options.h"

#include <memory>

namespace host::model {
struct Workbook;
}

namespace host::objects {

class Application;

// One running spreadsheet host: owns the Application object and everything under it.
// Several hosts may live in one process; nothing is shared between them. References that
// callers still hold when the host ends answer "object disconnected" errors.
class Host
{
public:
    explicit Host(HostOptions options = {});
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    ObjectRef application() const;
    Application& app() const { return *m_app; }
    HostOptions& options();
    // The clipboard Copy fills and PasteSpecial takes from (the options' one, else one kept in
    // the process from now on).
    std::shared_ptr<render::HostClipboard> clipboard() const;

    // Takes a workbook built in code as if it had been opened from `fullName` (a bare name
    // such as "Book1" for a book never saved) and makes it the active workbook.
    ObjectRef adoptWorkbook(std::unique_ptr<model::Workbook> book, const QString& fullName);

    // Opens an add-in workbook of macros that Application.Run resolves (a program's macro
    // workbook, registered by whoever provides it).
    void registerAddInWorkbook(AddInWorkbook addIn);

    // Makes an add-in object reachable as COMAddIns(progId).Object.
    void registerComAddIn(const QString& progId, const QString& description, ObjectRef object);

private:
    std::shared_ptr<Application> m_app;
};

} // namespace host::objects
