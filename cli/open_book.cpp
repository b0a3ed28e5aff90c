#include "cli/open_book.h"

#include "host/objects/host.h"

namespace cli {

BookSession::BookSession(const QString& path)
    : m_host(std::make_unique<host::objects::Host>()), m_app(m_host->application())
{
    // Nobody answers questions in a batch run: the host takes its default answers.
    m_app.setDisplayAlerts(false);
    m_book = m_app.Workbooks().Open(path);
}

BookSession::~BookSession()
{
    // Drop our references before the host that owns the objects.
    m_book = xl::Workbook();
    m_app = xl::Application();
}

} // namespace cli
