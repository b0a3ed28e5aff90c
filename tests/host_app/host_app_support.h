#pragma once

#include "host/automation/host_error.h"
#include "host/objects/application.h"
#include "host/objects/host.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"
#include "host/xl/xl.h"
#include "host_app/host_dialogs.h"
#include "host_app/main_window.h"
#include "host_app/recent_files.h"
#include "host_app/sheet_layout.h"
#include "host_app/sheet_tabs.h"
#include "host_app/sheet_view.h"
#include "host_app/workbook_window.h"
#include "platform/message_box.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace host_app_test {

inline QString q(const char* text)
{
    return QString::fromUtf8(text);
}

// File dialogs answered from the test's script; every question is counted.
class ScriptedDialogs : public host_app::HostDialogs
{
public:
    QStringList workbooksToOpen(QWidget*) override
    {
        ++asked;
        return openAnswer;
    }
    QString saveAsPath(QWidget*, const QString& suggested) override
    {
        ++asked;
        lastSuggested = suggested;
        return saveAsAnswer;
    }
    QStringList picturesToInsert(QWidget*) override
    {
        ++asked;
        return picturesAnswer;
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&, int) override
    {
        ++asked;
        return saveAsAnswer;
    }

    std::optional<QString> sheetName(QWidget*, const QString&) override
    {
        ++asked;
        return sheetNameAnswer;
    }
    std::optional<Protection> sheetProtection(QWidget*) override
    {
        ++asked;
        return protectionAnswer;
    }
    std::optional<QString> unprotectPassword(QWidget*) override
    {
        ++asked;
        return passwordAnswer;
    }

    QStringList openAnswer;
    QString saveAsAnswer;
    std::optional<QString> sheetNameAnswer;
    std::optional<Protection> protectionAnswer;
    std::optional<QString> passwordAnswer;
    QStringList picturesAnswer;
    QString lastSuggested;
    int asked = 0;
};

// The host application's main window on a host of its own, shown on the offscreen platform,
// with scripted dialogs and message boxes.
class HostAppTest : public ::testing::Test
{
public: // the gesture tables of the tests drive the window through these
    HostAppTest()
        : recent(dir.filePath(QStringLiteral("recent.ini"))), window(host.app(), dialogs, recent)
    {
        window.resize(1000, 700);
        window.show();
        settle();
    }

    // Lets the windows catch up with the model, as the event loop would.
    void settle()
    {
        for (int i = 0; i < 3; ++i) {
            window.flush();
            QApplication::processEvents();
        }
    }

    host_app::WorkbookWindow& bookWindow()
    {
        host_app::WorkbookWindow* shown = window.activeWorkbookWindow();
        if (!shown)
            throw std::runtime_error("no workbook window");
        return *shown;
    }
    host_app::SheetView& view() { return bookWindow().view(); }
    host_app::SheetLayout layout() { return *view().layout(); }

    // The middle of a cell (or merged area) in view pixels, from the host's own geometry.
    QPoint centreOf(const char* address)
    {
        const xl::Range cell = app.ActiveSheet().Range(q(address));
        const host_app::SheetLayout l = layout();
        const QPointF at =
            l.toView(QPointF(cell.Left() + cell.Width() / 2, cell.Top() + cell.Height() / 2));
        return at.toPoint();
    }
    void click(QPoint at, Qt::KeyboardModifiers modifiers = {},
               Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(&view(), button, modifiers, at);
        settle();
    }
    void click(const char* address, Qt::KeyboardModifiers modifiers = {})
    {
        click(centreOf(address), modifiers);
    }
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mousePress(&view(), Qt::LeftButton, modifiers, from);
        QMouseEvent move(QEvent::MouseMove, to, view().mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, modifiers);
        QApplication::sendEvent(&view(), &move);
        QTest::mouseRelease(&view(), Qt::LeftButton, modifiers, to);
        settle();
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(&view(), key, modifiers);
        settle();
    }
    QImage grabView()
    {
        settle();
        return view().grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    // The workbooks open in windows (Workbooks also counts the host's macro add-in).
    int openBooks() const
    {
        return app.get(QStringLiteral("Windows"))
            .toObject()
            ->get(QStringLiteral("Count"))
            .toInt32();
    }
    QString selectionAddress() const
    {
        return app.Selection().get(QStringLiteral("Address")).toString();
    }

    host::objects::Host host;
    xl::Application app{host.application()};
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    platform::ScriptedMessages messages;
    platform::ScopedMessageService messageScope{messages};
    host_app::RecentFiles recent;
    host_app::MainWindow window;
};

// The path of a fixture workbook or a sample.
inline QString sourcePath(const char* relative)
{
    return QStringLiteral(PICROWS_SOURCE_DIR "/") + QString::fromUtf8(relative);
}

} // namespace host_app_test
