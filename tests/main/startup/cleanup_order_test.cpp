// Step 12 of start-up with a real window system: settings saved, then every window closed,
// then the host released.
#include "main/startup/main_entry.h"

#include "main/startup/commands.h"
#include "main/startup/startup_context.h"
#include "platform/message_box.h"
#include "tests/main/startup/host_fixture.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QWindow>

#include <gtest/gtest.h>

using namespace picrows;

namespace {

// A form of the main program that notes what was already done when it got closed.
class Form : public QWindow
{
public:
    explicit Form(QString iniPath) : m_iniPath(std::move(iniPath)) {}

    bool closed = false;
    bool settingsSavedBefore = false;
    bool hostStillAttached = false;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        closed = true;
        settingsSavedBefore = QFileInfo::exists(m_iniPath);
        hostStillAttached = !startupContext().gobjXlApp.isNothing();
        QWindow::closeEvent(event);
    }

private:
    QString m_iniPath;
};

TEST(MainCleanUp, SettingsAreSavedThenWindowsClosedThenTheHostReleased)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    static constexpr CommandEntry kGet[] = {{"get", "s_Command_Get", nullptr}};
    MainOptions options;
    options.commands = kGet;
    options.configFolder = dir.filePath(QStringLiteral("config"));
    options.instanceLockPath = dir.filePath(QStringLiteral("main.lock"));
    const QString ini = options.configFolder + QStringLiteral("/TORVA_PICROWS.ini");
    std::vector<std::unique_ptr<Form>> forms;
    options.runCommand = [&](const CommandEntry&) {
        // The command leaves two forms open, one of them hidden.
        for (int i = 0; i < 2; ++i) {
            forms.push_back(std::make_unique<Form>(ini));
            forms.back()->create();
        }
        forms.front()->show();
    };
    TestHost h({}, 77);
    h.openBook(QStringLiteral("/books/album.xlsx"));
    platform::ScriptedMessages messages;
    platform::ScopedMessageService scope(messages);

    Main(QStringLiteral("/books/album.xlsx\t77\tget"), options);

    EXPECT_TRUE(messages.shown().empty());
    ASSERT_EQ(forms.size(), 2u);
    for (const auto& form : forms) {
        EXPECT_TRUE(form->closed);
        EXPECT_FALSE(form->isVisible());
        EXPECT_TRUE(form->settingsSavedBefore);
        EXPECT_TRUE(form->hostStillAttached);
    }
    EXPECT_TRUE(startupContext().gobjXlApp.isNothing());
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM",
                "offscreen"); // test discovery runs without the test's environment
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
