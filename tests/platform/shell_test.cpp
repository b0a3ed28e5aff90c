#include "platform/shell.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(FolderPicker, AnswersOnlyExistingFolders)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("file.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    RecordingShell shell;
    ScopedShell scope(shell);
    const std::pair<QString, QString> cases[] = {
        {dir.path(), dir.path()},                          // a folder
        {QString(), QString()},                            // cancelled
        {file.fileName(), QString()},                      // not a folder
        {dir.filePath(QStringLiteral("gone")), QString()}, // no longer there
    };
    for (const auto& [picked, answer] : cases) {
        shell.folderToPick = picked;
        EXPECT_EQ(F_GetBrowseFolder(QStringLiteral("テンプレートフォルダを選択"), dir.path()),
                  answer)
            << picked.toStdString();
    }
    EXPECT_EQ(shell.prompts.back(), QStringLiteral("テンプレートフォルダを選択"));
    EXPECT_EQ(shell.initialFolders.back(), dir.path());

    // Without dialogs the desktop shell picks nothing.
    DesktopShell plain;
    ScopedShell plainScope(plain);
    EXPECT_EQ(F_GetBrowseFolder(QStringLiteral("x"), dir.path()), QString());
}

} // namespace
