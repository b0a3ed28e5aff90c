#include "platform/settings_store.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace platform;

namespace {

QString readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

TEST(SettingsStore, LivesInTheConfigFolderUnderTheApplicationName)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    EXPECT_EQ(SettingsStore().filePath(), dir.filePath(QStringLiteral("TORVA_PICROWS.ini")));
    qputenv("XDG_CONFIG_HOME", old);
    EXPECT_EQ(SettingsStore(dir.filePath(QStringLiteral("other"))).filePath(),
              dir.filePath(QStringLiteral("other/TORVA_PICROWS.ini")));
}

TEST(SettingsStore, AnyTextSurvivesASaveAndAFreshRead)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.filePath(QStringLiteral("new/config")); // created on save
    const QString values[] = {
        QStringLiteral("[FILENAME1], [DATE]"),
        QStringLiteral("  leading and trailing  "),
        QStringLiteral("@at"),
        QStringLiteral("a=b;c"),
        QStringLiteral("back\\slash \"q\""),
        QStringLiteral("二行\n目"),
        QStringLiteral("/home/u/書類/ピクロウアドイン/"),
        QString(),
    };
    {
        SettingsStore store(folder);
        int i = 0;
        for (const QString& v : values)
            store.setValue(QStringLiteral("setting"), QStringLiteral("K%1").arg(i++), v);
        store.save();
    }
    SettingsStore again(folder);
    int i = 0;
    for (const QString& v : values)
        EXPECT_EQ(again.value(QStringLiteral("setting"), QStringLiteral("K%1").arg(i++)), v)
            << v.toStdString();
    EXPECT_EQ(again.value(QStringLiteral("setting"), QStringLiteral("Missing")), std::nullopt);
    EXPECT_EQ(again.value(QStringLiteral("position"), QStringLiteral("K0")), std::nullopt);

    // Plain values are plain Key=Value lines under their group, Japanese as UTF-8.
    const QString text = readAll(again.filePath());
    EXPECT_TRUE(text.startsWith(QStringLiteral("[setting]\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\nK6=/home/u/書類/ピクロウアドイン/\n")));
}

TEST(SettingsStore, ReadsHandWrittenFilesAndKeepsOtherWritersKeys)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("TORVA_PICROWS.ini"));
    writeAll(path, "[setting]\nPasteSize=7\nPasteInfo_Value=a, b\nQuoted=\"x, y\"\n"
                   "[position]\nfrmGet_Left=120\n");
    SettingsStore mine(dir.path());
    EXPECT_EQ(mine.value(QStringLiteral("setting"), QStringLiteral("PasteSize")),
              QStringLiteral("7"));
    EXPECT_EQ(mine.value(QStringLiteral("setting"), QStringLiteral("PasteInfo_Value")),
              QStringLiteral("a, b"));
    EXPECT_EQ(mine.value(QStringLiteral("setting"), QStringLiteral("Quoted")),
              QStringLiteral("x, y"));

    // Another writer (the menu add-in, a second store) saves in between: its key survives
    // this store's save.
    {
        SettingsStore other(dir.path());
        other.setValue(QStringLiteral("position"), QStringLiteral("frmGet_Top"),
                       QStringLiteral("80"));
        other.save();
    }
    mine.setValue(QStringLiteral("setting"), QStringLiteral("PasteSize"), QStringLiteral("3"));
    mine.removeSection(QStringLiteral("position"));
    mine.save();
    SettingsStore after(dir.path());
    EXPECT_EQ(after.value(QStringLiteral("setting"), QStringLiteral("PasteSize")),
              QStringLiteral("3"));
    EXPECT_EQ(after.value(QStringLiteral("position"), QStringLiteral("frmGet_Left")), std::nullopt);
}

TEST(SettingsStore, AnUnwritableFileRaisesAndLeavesNothingBehind)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // The configuration "folder" is a file: nothing can be created below it.
    const QString blocker = dir.filePath(QStringLiteral("blocker"));
    writeAll(blocker, "not a folder");
    SettingsStore store(blocker);
    store.setValue(QStringLiteral("setting"), QStringLiteral("PasteSize"), QStringLiteral("1"));
    EXPECT_THROW(store.save(), StoreError);
    EXPECT_EQ(readAll(blocker), QStringLiteral("not a folder"));
}

} // namespace
