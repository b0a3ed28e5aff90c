#include "host/objects/host.h"

#include "host/imaging/read_ahead.h"
#include "host/imaging/worker_pool.h"
#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/book_files.h"
#include "host/objects/com_addins.h"
#include "host/objects/workbook.h"

#include <QThreadPool>

namespace host::objects {

Host::Host(HostOptions options) : m_app(std::make_shared<Application>(std::move(options))) {}

Host::~Host()
{
    // The worker threads outlive hosts: what this host set them doing must not run on into
    // the end of the process (static destruction, Qt's image plugins unloading).
    imaging::dropAnnouncedPictureFiles(m_app.get());
    imaging::workerPool().waitForDone();
    m_app->detach();
}

ObjectRef Host::application() const
{
    return m_app;
}

HostOptions& Host::options()
{
    return m_app->options();
}

std::shared_ptr<render::HostClipboard> Host::clipboard() const
{
    m_app->clipboard();
    return m_app->options().clipboard;
}

ObjectRef Host::adoptWorkbook(std::unique_ptr<model::Workbook> book, const QString& fullName)
{
    auto adopted = m_app->adopt(std::move(book), fullName);
    if (folderOf(fullName).isEmpty())
        adopted->setNeverSaved();
    return adopted;
}

void Host::registerAddInWorkbook(AddInWorkbook addIn)
{
    m_app->openAddIn(std::move(addIn));
}

void Host::registerComAddIn(const QString& progId, const QString& description, ObjectRef object)
{
    m_app->comAddIns().registerAddIn(progId, description, std::move(object));
}

} // namespace host::objects
