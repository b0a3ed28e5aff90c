#include "platform/message_box.h"
#include "platform/temp_files.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace platform;

namespace {

// Points TMPDIR elsewhere for one test.
class TmpDirOverride
{
public:
    explicit TmpDirOverride(const QByteArray& value)
        : m_had(qEnvironmentVariableIsSet("TMPDIR")), m_old(qgetenv("TMPDIR"))
    {
        qputenv("TMPDIR", value);
    }
    ~TmpDirOverride()
    {
        if (m_had)
            qputenv("TMPDIR", m_old);
        else
            qunsetenv("TMPDIR");
    }

private:
    bool m_had;
    QByteArray m_old;
};

const QString kCannotCreate = QStringLiteral(
    "Err:"
    "GetTempFileFullpath\r\n一時ファイルを作成できません。制限付きユーザーでログインしている場合は"
    "、管理者権限を持ったユーザーでログインし直してください。");
const QString kMissingFolder = QStringLiteral(
    "Err:GetTempFileFullpath\r\nWindowsの環境変数として、存在しないパスが指定されています。Windows"
    "の環境設定を修正し、Windowsを再起動してください。");

TEST(TempFiles, EachCallCreatesANewEmptyFileNamedFromThePrefix)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TmpDirOverride tmp((dir.path() + QStringLiteral("//")).toUtf8()); // trailing slashes
    ScriptedMessages messages;
    ScopedMessageService scope(messages);

    EXPECT_EQ(temporaryFolder(), dir.path() + QLatin1Char('/'));
    const QString a = F_GetTempFileFullpath(QStringLiteral("Clipboard_"));
    const QString b = F_GetTempFileFullpath(QStringLiteral("Clipboard_"));
    EXPECT_NE(a, b);
    for (const QString& path : {a, b}) {
        const QFileInfo info(path);
        EXPECT_TRUE(info.isFile()) << path.toStdString();
        EXPECT_EQ(info.size(), 0);
        EXPECT_EQ(info.absolutePath(), dir.path());
        // The prefix's first three letters, then the random part (which may itself begin
        // with a "p": only the length tells that the prefix was cut).
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^Cli[A-Za-z0-9]{6}\\.tmp$"))
                        .match(info.fileName())
                        .hasMatch())
            << path.toStdString();
    }
    EXPECT_TRUE(F_GetTempFileFullpath(QStringLiteral("ab"))
                    .section(QLatin1Char('/'), -1)
                    .startsWith(QStringLiteral("ab")));
    EXPECT_TRUE(messages.shown().empty());
}

TEST(TempFiles, FailuresSayWhetherTheFolderIsMissing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray missing = (dir.path() + QStringLiteral("/no/such/folder")).toUtf8();
    struct Case
    {
        QByteArray tmpdir;
        std::vector<Message> expected;
    };
    const Case cases[] = {
        // A folder that does not exist.
        {missing, {{kMissingFolder, MsgButtons::OK, MsgIcon::Critical, programTitle()}}},
        // A folder that exists but takes no file.
        {"/proc", {{kCannotCreate, MsgButtons::OK, MsgIcon::Critical, programTitle()}}},
        // No usable folder at all: the lookup's own message comes first.
        {"relative/tmp",
         {{QStringLiteral("Error:GetTempFolder\r\n"), MsgButtons::OK, MsgIcon::None,
           defaultMessageTitle()},
          {kCannotCreate, MsgButtons::OK, MsgIcon::Critical, programTitle()}}},
    };
    for (const Case& c : cases) {
        TmpDirOverride tmp(c.tmpdir);
        ScriptedMessages messages;
        ScopedMessageService scope(messages);
        EXPECT_EQ(F_GetTempFileFullpath(QStringLiteral("Clipboard_")), QString())
            << c.tmpdir.data();
        EXPECT_EQ(messages.shown(), c.expected) << c.tmpdir.data();
    }
    EXPECT_FALSE(QFileInfo::exists(QString::fromUtf8(missing)));
}

} // namespace
