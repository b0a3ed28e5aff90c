#pragma once
// What the end-to-end tests of the command words share: the desktop with the host on a copy of
// the sample album, the main program's start-up run in this process, and the readings of
// places on the sheet.
#include "host/automation/host_error.h"
#include "host/xl/range.h"
#include "host/xl/shape.h"
#include "host/xl/window.h"
#include "host/xl/workbook.h"
#include "host/xl/worksheet.h"
#include "main/commands/command_table.h"
#include "main/excluded_cells/frm_show_jogai_msg.h"
#include "main/insert_dialog/frm_get.h"
#include "main/insert_dialog/picture_list_view.h"
#include "main/reduce_dialog/frm_convert_pic.h"
#include "main/settings_dialog/frm_setting.h"
#include "main/startup/main_entry.h"
#include "main/startup/program_paths.h"
#include "main/template_dialogs/frm_template_get.h"
#include "main/template_dialogs/frm_template_save.h"
#include "main/trimming_dialog/frm_trimming.h"
#include "main/trimming_dialog/trimming_preview.h"
#include "platform/clipboard.h"
#include "platform/message_box.h"
#include "platform/shell.h"
#include "tests/e2e/desktop_session.h"
#include "tests/main/settings_dialog/dialog_driver.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <cmath>
#include <gtest/gtest.h>

namespace e2e_commands {

using dialogs_test::whenShown;
using e2e::DesktopSession;

inline QString q(const char* text)
{
    return QString::fromUtf8(text);
}

inline QString photo(int index)
{
    const QDir photos(q(PICROWS_SOURCE_DIR "/samples/photos"));
    return photos.filePath(photos.entryList({q("*.jpg")}, QDir::Files, QDir::Name).at(index));
}

// Waits, with the event loop running, until `done` holds; false after `ms`.
template <class F> bool eventually(F done, int ms = 15000)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        try {
            if (done())
                return true;
        } catch (const host::HostError&) {
        }
        QTest::qWait(50);
    }
    return false;
}

struct Rect
{
    double left, top, width, height;
};

inline Rect rectOf(const xl::Object& object)
{
    return {object.get(q("Left")).toDouble(), object.get(q("Top")).toDouble(),
            object.get(q("Width")).toDouble(), object.get(q("Height")).toDouble()};
}

inline bool inside(const Rect& inner, const Rect& outer)
{
    constexpr double slack = 0.75;
    return inner.left >= outer.left - slack && inner.top >= outer.top - slack &&
           inner.left + inner.width <= outer.left + outer.width + slack &&
           inner.top + inner.height <= outer.top + outer.height + slack;
}

// Closes the excluded-cell list whenever a run shows it, as the user does, keeping its rows.
class ExclusionsCloser
{
public:
    ExclusionsCloser()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* list = qobject_cast<picrows::frmShowJogaiMsg*>(picrows::currentModalDialog());
            if (!list || !list->isVisible())
                return;
            for (int i = 0; i < list->lstJogaiMsg()->topLevelItemCount(); ++i)
                rows << list->lstJogaiMsg()->topLevelItem(i)->text(0) + u' ' +
                            list->lstJogaiMsg()->topLevelItem(i)->text(1);
            list->close();
        });
        m_timer.start(50);
    }
    QStringList rows;

private:
    QTimer m_timer;
};

class CommandsX11 : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(DesktopSession::startWindowManager()); }
    static void TearDownTestSuite() { DesktopSession::stopWindowManager(); }

    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_book = m_dir.filePath(q("album.xlsx"));
        ASSERT_TRUE(QFile::copy(q(PICROWS_SOURCE_DIR "/samples/photo_album.xlsx"), m_book));
        QFile::setPermissions(m_book, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        m_session = std::make_unique<DesktopSession>(m_dir.filePath(q("runtime")), config());
        ASSERT_TRUE(m_session->startHost(m_book)) << m_session->hostErrors().toStdString();
        // The album's frames hold a placeholder text: the user lets filled cells be used.
        for (const char* key : {"UnPaste_Value", "UnPaste_Size"})
            ASSERT_EQ(
                e2e::runTool(q(PICROWS_BATCH_PROGRAM), {q("settings"), q("set"), q(key), q("False"),
                                                        q("--config-dir"), config()}),
                0);
        m_options.commands = picrows::commandTable();
        m_options.configFolder = config();
        m_options.instanceLockPath = m_dir.filePath(q("main.lock"));
    }
    void TearDown() override { m_session.reset(); }

    QString config() const { return m_dir.filePath(q("config")); }
    xl::Application& app() { return m_session->app(); }
    xl::Worksheet sheet() { return app().ActiveSheet(); }
    QString line(const char* word) const
    {
        return m_book + u'\t' + QString::number(m_session->hostWindow()) + u'\t' +
               QLatin1String(word);
    }

    // The command run by the main program's start-up in this process, its dialogs answered
    // by `whenShown` set up beforehand; the messages it showed.
    std::vector<platform::Message> runHere(const char* word)
    {
        platform::ScopedMessageService scope(m_messages);
        picrows::Main(line(word), m_options);
        return m_messages.shown();
    }

    // Selects cells in the host's window as a user does from the keyboard: Escape (the pictures
    // a run left selected give the selection back to the cells), home, then arrows.
    void selectFromKeyboard(const QStringList& moves)
    {
        ASSERT_TRUE(
            DesktopSession::keys(m_session->hostWindow(), QStringList{q("ctrl+Home")} + moves));
    }
    QString selection() { return app().Selection().get(q("Address")).toString(); }

    void insertWithBatchCommand(const QString& range, const QStringList& more = {})
    {
        QProcess picrows;
        picrows.setProcessEnvironment(m_session->environment());
        picrows.start(q(PICROWS_BATCH_PROGRAM),
                      QStringList{q("insert"), q("--attach"), m_book, q("--range"), range,
                                  q("--no-exclude"), q("--config-dir"), config()} +
                          more);
        ASSERT_TRUE(picrows.waitForFinished(60000));
        ASSERT_EQ(picrows.exitCode(), 0) << picrows.readAllStandardError().toStdString();
    }

    // Saves the workbook in the host and has LibreOffice convert it.
    void expectSavedBookOpensInLibreOffice()
    {
        app().ActiveWorkbook().Save();
        const QString pdf = m_dir.filePath(q("pdf"));
        const int soffice = e2e::runTool(
            q("soffice"),
            {q("--headless"), q("-env:UserInstallation=file://") + m_dir.filePath(q("lo")),
             q("--convert-to"), q("pdf"), q("--outdir"), pdf, m_book},
            120000);
        EXPECT_EQ(soffice, 0);
        EXPECT_GT(QFileInfo(pdf + q("/album.pdf")).size(), 0);
        QFile::remove(pdf + q("/album.pdf"));
    }

    QTemporaryDir m_dir;
    QString m_book;
    std::unique_ptr<DesktopSession> m_session;
    picrows::MainOptions m_options;
    platform::ScriptedMessages m_messages;
};

// The program itself, started as the add-ins start it: its dialog comes up owned by the host
// window, the host window stays usable while it is open, and Escape ends the program.

} // namespace e2e_commands
