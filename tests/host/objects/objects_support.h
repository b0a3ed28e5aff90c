#pragma once

#include "host/automation/host_error.h"
#include "host/model/workbook.h"
#include "host/objects/disconnected.h"
#include "host/objects/host.h"
#include "host/xl/xl.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <ostream>

// Readable failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace host {
inline void PrintTo(const Variant& value, std::ostream* os)
{
    *os << value.typeName().toStdString();
    if (!value.isObject() && !value.isArray() && !value.isNull() && !value.isMissing())
        *os << ' ' << value.toString().toStdString();
}
} // namespace host

namespace objects_test {

// The host error number a call raises, 0 when it raises none.
inline int errorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const host::HostError& e) {
        return e.number();
    }
    return 0;
}

inline QString descriptionOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const host::HostError& e) {
        return e.description();
    }
    return {};
}

// A workbook built in code with empty worksheets of these names.
inline std::unique_ptr<host::model::Workbook>
bookWithSheets(std::initializer_list<const char*> names)
{
    auto book = std::make_unique<host::model::Workbook>();
    for (const char* name : names) {
        auto sheet = std::make_unique<host::model::Sheet>();
        sheet->name = QString::fromUtf8(name);
        book->sheets.push_back(std::move(sheet));
    }
    book->sheets.front()->view.tabSelected = true;
    return book;
}

inline QString q(const char* text)
{
    return QString::fromUtf8(text);
}

// A host with one workbook "Book1" of three sheets, built in code; `sheet()` is the first.
class HostTest : public ::testing::Test
{
protected:
    HostTest()
    {
        auto model = bookWithSheets({"Sheet1", "Sheet2", "Sheet3"});
        m_model = model.get();
        m_host.adoptWorkbook(std::move(model), QStringLiteral("Book1"));
    }

    host::model::Workbook& model() { return *m_model; }
    host::model::Sheet& modelSheet(int index = 0) { return *m_model->sheets[size_t(index)]; }
    xl::Workbook book() const { return app.Workbooks().Item(QStringLiteral("Book1")); }
    xl::Worksheet sheet(int index = 1) const { return book().Worksheets(index); }
    xl::Range range(const char* address) const { return sheet().Range(q(address)); }

    host::objects::Host m_host;
    xl::Application app{m_host.application()};

private:
    host::model::Workbook* m_model = nullptr;
};

} // namespace objects_test
