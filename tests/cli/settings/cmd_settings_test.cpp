// `picrows settings` run as a process against a settings folder of its own.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Result
{
    int code = -1;
    QString out;
    QString err;
};

class SettingsCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        m_config = m_home.filePath(QStringLiteral("config"));
        QDir().mkpath(m_config);
    }

    Result run(QStringList args, bool withConfigDir = true)
    {
        if (withConfigDir)
            args = QStringList{QStringLiteral("--config-dir"), m_config} + args; // before any "--"
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), m_home.path()); // the documents folder follows HOME
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("xdg")));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(PICROWS_EXE), QStringList{QStringLiteral("settings")} + args);
        EXPECT_TRUE(p.waitForFinished(30000));
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }

    void writeIni(const QByteArray& bytes)
    {
        QFile f(iniPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QByteArray readIni() const
    {
        QFile f(iniPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString iniPath() const { return m_config + QStringLiteral("/TORVA_PICROWS.ini"); }

    QTemporaryDir m_home;
    QString m_config;
};

TEST_F(SettingsCommand, ShowPrintsEveryKeyAsLoaded)
{
    writeIni("[setting]\nPasteSize=7\nPasteInfo_X=-25\nUnPaste_Size_Width=99999\nIsClicMode=yes\n"
             "Textbox_Fontsize=0.5\n");
    const QString expected =
        QStringLiteral("UnPaste_Lock=False\nUnPaste_Value=True\nUnPaste_Size=True\n"
                       "UnPaste_Size_Width=10\nUnPaste_Size_Height=70\nUnPaste_ShowMsg=True\n"
                       "OneCellOnePaste=False\nIsClicMode=False\nPasteSize=3\nPastePoint=2\n"
                       "PasteInfo=False\nPasteInfo_Value=[FILENAME1]\nPasteInfo_Type=0\n"
                       "PasteInfo_X=-10\nPasteInfo_Y=1\nPasteInfo_Point=1\n"
                       "PasteInfo_Group=False\nInsertListWidth_1=1600\nInsertListWidth_2=3500\n"
                       "InsertListWidth_3=3500\nInsertListWidth_4=2000\nInsertListWidth_5=2000\n"
                       "DefaultCommandHookOn=False\nReTrimmingAdd=True\nInsertSyukusyou=True\n"
                       "InsertSyukusyou_Bairitsu=2\nInsertCutTrimming=False\n"
                       "InsertCutTrimming_NotAuto=True\nMyDocPath=") +
        m_home.path() +
        QStringLiteral("/Documents/ピクロウアドイン\nRotate_ApiMode=True\n"
                       "Rotate_BackColor=16777215\nIconWidth=80\nIconHeight=50\n"
                       "ConvertTaisyou=0\nConvertSyukusyou=True\nConvertSyukusyouBairitsu=2\n"
                       "ConvertCutTrimming=False\nConvertListWidth_1=300\n"
                       "ConvertListWidth_2=1200\nConvertListWidth_3=1200\n"
                       "ConvertListWidth_4=1200\nConvertListWidth_5=3000\n"
                       "Textbox_Fontname=Calibri\nTextbox_Fontsize=1\nTextbox_ColorIndex=0\n"
                       "ShowToolTipImages=True\n");
    for (const QStringList& args : {QStringList{QStringLiteral("show")}, QStringList{}}) {
        const Result r = run(args);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_EQ(r.out, expected);
    }
    // Showing writes nothing.
    EXPECT_EQ(readIni(), QByteArray("[setting]\nPasteSize=7\nPasteInfo_X=-25\nUnPaste_Size_Width="
                                    "99999\nIsClicMode=yes\nTextbox_Fontsize=0.5\n"));
}

TEST_F(SettingsCommand, SetConvertsLikeLoadingAndSavesEveryKey)
{
    struct Case
    {
        QStringList args;
        int code;
        QString out;
    };
    const Case cases[] = {
        {{QStringLiteral("set"), QStringLiteral("pastesize"), QStringLiteral("7")},
         0,
         QStringLiteral("PasteSize=3\n")},
        {{QStringLiteral("set"), QStringLiteral("IsClicMode"), QStringLiteral("--"),
          QStringLiteral("-1")},
         0,
         QStringLiteral("IsClicMode=True\n")},
        {{QStringLiteral("set"), QStringLiteral("PasteInfo_Value"),
          QStringLiteral("[FILENAME1], 撮影")},
         0,
         QStringLiteral("PasteInfo_Value=[FILENAME1], 撮影\n")},
        {{QStringLiteral("get"), QStringLiteral("PASTEINFO_VALUE")},
         0,
         QStringLiteral("[FILENAME1], 撮影\n")},
        {{QStringLiteral("get"), QStringLiteral("IsClicMode")}, 0, QStringLiteral("True\n")},
        {{QStringLiteral("set"), QStringLiteral("IsClicMode"), QStringLiteral("yes")},
         2,
         QString()},
        {{QStringLiteral("set"), QStringLiteral("IconWidth"), QStringLiteral("99999")},
         2,
         QString()},
        {{QStringLiteral("set"), QStringLiteral("NoSuchKey"), QStringLiteral("1")}, 2, QString()},
        {{QStringLiteral("set"), QStringLiteral("PasteInfo_X"), QStringLiteral("-5")},
         2,
         QString()},
        {{QStringLiteral("get")}, 2, QString()},
        {{QStringLiteral("set"), QStringLiteral("PasteSize")}, 2, QString()},
        {{QStringLiteral("show"), QStringLiteral("extra")}, 2, QString()},
        {{QStringLiteral("frobnicate")}, 2, QString()},
    };
    for (const Case& c : cases) {
        const Result r = run(c.args);
        EXPECT_EQ(r.code, c.code) << c.args.join(u' ').toStdString() << '\n' << r.err.toStdString();
        EXPECT_EQ(r.out, c.out) << c.args.join(u' ').toStdString();
        if (c.code != 0) {
            EXPECT_TRUE(r.err.startsWith(QStringLiteral("picrows settings: ")))
                << r.err.toStdString();
        }
    }
    const QByteArray ini = readIni();
    EXPECT_TRUE(ini.contains("\nPasteSize=3\n"));
    EXPECT_TRUE(ini.contains("\nIsClicMode=True\n"));
    EXPECT_TRUE(ini.contains("\nIconWidth=80\n")); // every key is written
}

TEST_F(SettingsCommand, ResetLeavesOnlyTheDefaults)
{
    writeIni("[setting]\nPasteSize=1\n[position]\nfrmGet_Left=12\n");
    const Result r = run({QStringLiteral("reset")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    const QByteArray ini = readIni();
    EXPECT_TRUE(ini.contains("\nPasteSize=3\n"));
    EXPECT_FALSE(ini.contains("position"));
}

TEST_F(SettingsCommand, AnUnwritableStoreEndsWithCode3)
{
    QFile blocker(m_home.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    m_config = blocker.fileName();
    const Result r = run({QStringLiteral("set"), QStringLiteral("PasteSize"), QStringLiteral("1")});
    EXPECT_EQ(r.code, 3);
    EXPECT_TRUE(r.err.contains(QStringLiteral("cannot be written"))) << r.err.toStdString();
}

TEST_F(SettingsCommand, WithoutConfigDirTheUsersConfigFolderIsUsed)
{
    const Result r =
        run({QStringLiteral("set"), QStringLiteral("PastePoint"), QStringLiteral("0")}, false);
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(QFile::exists(m_home.filePath(QStringLiteral("xdg/TORVA_PICROWS.ini"))));
    EXPECT_EQ(run({QStringLiteral("--help")}).code, 0);
}

} // namespace
