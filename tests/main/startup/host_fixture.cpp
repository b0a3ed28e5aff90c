#include "tests/main/startup/host_fixture.h"

TestHost::TestHost(host::objects::HostOptions options, std::int32_t windowId)
    : host(std::move(options)),
      entry(std::make_shared<host::running::InProcessHost>(host.application(), windowId)),
      registration(std::make_unique<host::running::Registration>(entry))
{
}

std::unique_ptr<host::model::Workbook> makeBook(int sheets)
{
    auto book = std::make_unique<host::model::Workbook>();
    for (int i = 1; i <= sheets; ++i) {
        auto sheet = std::make_unique<host::model::Sheet>();
        sheet->name = QStringLiteral("Sheet%1").arg(i);
        book->sheets.push_back(std::move(sheet));
    }
    book->sheets.front()->view.tabSelected = true;
    return book;
}

host::ObjectRef TestHost::openBook(const QString& fullName, int sheets)
{
    auto book = makeBook(sheets);
    m_lastModel = book.get();
    return host.adoptWorkbook(std::move(book), fullName);
}
