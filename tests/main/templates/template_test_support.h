#pragma once

#include "host/model/workbook.h"
#include "host/objects/host.h"
#include "host/xl/xl.h"
#include "main/settings/setting.h"
#include "main/startup/startup_context.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace templates_test {

inline QString q(const char* text)
{
    return QString::fromUtf8(text);
}

inline QString fixture(const char* name)
{
    return QStringLiteral(PICROWS_SOURCE_DIR "/tests/fixtures/") + q(name);
}

inline platform::Message message(const QString& text, platform::MsgIcon icon,
                                 platform::MsgButtons buttons = platform::MsgButtons::OK)
{
    return {text, buttons, icon, QStringLiteral("ピクロウアドイン")};
}

// A host attached as the start-up context's, with scripted message boxes, a settings store of
// its own whose template folder is `templates()`, and a workbook "Work.xlsx" of the given
// sheets, the first active.
class TemplateTest : public ::testing::Test
{
protected:
    TemplateTest() : m_messagesInPlace(messages)
    {
        startupContext().clear();
        startupContext().gobjXlApp = app;
        startupContext().store =
            std::make_unique<platform::SettingsStore>(m_dir.filePath(q("config")));
        startupContext().gobjSetting =
            std::make_unique<picrows::c_Setting>(*startupContext().store, app.ref());
        setting().setMyDocPath(templates());
    }
    ~TemplateTest() override { startupContext().clear(); }

    static picrows::StartupContext& startupContext() { return picrows::startupContext(); }
    static picrows::c_Setting& setting() { return *startupContext().gobjSetting; }

    QString templates() const { return m_dir.filePath(q("テンプレート")); }
    QString templatePath(const char* fileName) const
    {
        return QDir(templates()).filePath(q(fileName));
    }

    void setVersion(const char* version) { m_host.options().version = q(version); }

    // A workbook of empty worksheets with these names, opened as if from `path`.
    xl::Workbook openBook(std::initializer_list<const char*> names, const QString& path)
    {
        auto book = std::make_unique<host::model::Workbook>();
        for (const char* name : names) {
            auto sheet = std::make_unique<host::model::Sheet>();
            sheet->name = q(name);
            book->sheets.push_back(std::move(sheet));
        }
        book->sheets.front()->view.tabSelected = true;
        return xl::Workbook(m_host.adoptWorkbook(std::move(book), path));
    }

    // Writes a workbook of these worksheets to `path` through a host of its own. A1 of each
    // sheet says which sheet of which file it is, so that copies can be told apart.
    static void writeBook(const QString& path, std::initializer_list<const char*> names)
    {
        host::objects::Host other;
        const xl::Application otherApp(other.application());
        other.options().sheetsInNewWorkbook = int(names.size());
        const xl::Workbook book = otherApp.Workbooks().Add();
        int i = 1;
        for (const char* name : names) {
            const xl::Worksheet sheet = book.Worksheets(i++);
            sheet.setName(q(name));
            sheet.Range(q("A1")).setValue(
                host::Variant(q(name) + q(" of ") + path.section(u'/', -1)));
        }
        book.SaveAs(path);
        book.Close(false);
    }

    // The worksheet names of a saved workbook, read through a host of its own.
    static QStringList sheetsOf(const QString& path)
    {
        host::objects::Host other;
        const xl::Workbook book = xl::Application(other.application()).Workbooks().Open(path);
        QStringList names;
        for (const xl::Worksheet& sheet : book.Worksheets().items())
            names << sheet.Name();
        return names;
    }

    // The workbooks open in the host, the host's own macro workbook left out.
    int openBooks() const
    {
        int count = 0;
        for (const xl::Workbook& book : app.Workbooks().items())
            count += book.IsAddin() ? 0 : 1;
        return count;
    }

    static QString a1Of(const xl::Worksheet& sheet)
    {
        return sheet.Range(q("A1")).Value().toString();
    }

    QTemporaryDir m_dir;
    host::objects::Host m_host;
    xl::Application app{m_host.application()};
    platform::ScriptedMessages messages;

private:
    platform::ScopedMessageService m_messagesInPlace;
};

} // namespace templates_test
