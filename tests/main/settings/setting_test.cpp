#include "main/settings/setting.h"

#include "host/automation/host_error.h"
#include "host/automation/member_table.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace picrows;

namespace {

// The three facts loading takes from the host, in isolation from the rest of the host.
class HostFacts : public host::TableDispatch<HostFacts>
{
public:
    QString className() const override { return QStringLiteral("Application"); }
    static const host::MemberTable<HostFacts>& members()
    {
        static const host::MemberTable<HostFacts> table = [] {
            host::MemberTable<HostFacts> t;
            t.prop(QStringLiteral("Version"),
                   [](HostFacts& h) { return host::Variant(h.version); });
            t.prop(QStringLiteral("StandardFont"), [](HostFacts& h) {
                if (h.fontFails)
                    host::raise(host::err::ApplicationDefined);
                return host::Variant(h.font);
            });
            t.prop(QStringLiteral("StandardFontSize"), [](HostFacts& h) {
                if (h.fontFails)
                    host::raise(host::err::ApplicationDefined);
                return host::Variant(h.fontSize);
            });
            return t;
        }();
        return table;
    }
    QString version = QStringLiteral("16.0");
    QString font = QStringLiteral("Calibri");
    double fontSize = 11;
    bool fontFails = false;
};

class SettingTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString folder() const { return m_dir.path(); }
    QString iniPath() const { return m_dir.filePath(QStringLiteral("TORVA_PICROWS.ini")); }

    void writeIni(const QByteArray& bytes)
    {
        QFile f(iniPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QString readIni() const
    {
        QFile f(iniPath());
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    QString text(const c_Setting& s, const char* key) const
    {
        const c_Setting::Key* k = c_Setting::findKey(QString::fromUtf8(key));
        return k ? s.textOf(*k) : QStringLiteral("<no key>");
    }

    QTemporaryDir m_dir;
    std::shared_ptr<HostFacts> m_host = std::make_shared<HostFacts>();
};

TEST_F(SettingTest, AnEmptyStoreLoadsEveryDefaultAndSavingWritesEveryKey)
{
    platform::SettingsStore store(folder());
    c_Setting s(store, m_host);
    const std::pair<const char*, QString> expected[] = {
        {"UnPaste_Lock", QStringLiteral("False")},
        {"UnPaste_Value", QStringLiteral("True")},
        {"UnPaste_Size", QStringLiteral("True")},
        {"UnPaste_Size_Width", QStringLiteral("70")},
        {"UnPaste_Size_Height", QStringLiteral("70")},
        {"UnPaste_ShowMsg", QStringLiteral("True")},
        {"OneCellOnePaste", QStringLiteral("False")},
        {"IsClicMode", QStringLiteral("False")},
        {"PasteSize", QStringLiteral("3")},
        {"PastePoint", QStringLiteral("2")},
        {"PasteInfo", QStringLiteral("False")},
        {"PasteInfo_Value", QStringLiteral("[FILENAME1]")},
        {"PasteInfo_Type", QStringLiteral("0")},
        {"PasteInfo_X", QStringLiteral("0")},
        {"PasteInfo_Y", QStringLiteral("1")},
        {"PasteInfo_Point", QStringLiteral("1")},
        {"PasteInfo_Group", QStringLiteral("False")},
        {"InsertListWidth_1", QStringLiteral("1600")},
        {"InsertListWidth_2", QStringLiteral("3500")},
        {"InsertListWidth_3", QStringLiteral("3500")},
        {"InsertListWidth_4", QStringLiteral("2000")},
        {"InsertListWidth_5", QStringLiteral("2000")},
        {"DefaultCommandHookOn", QStringLiteral("False")},
        {"ReTrimmingAdd", QStringLiteral("True")},
        {"InsertSyukusyou", QStringLiteral("True")},
        {"InsertSyukusyou_Bairitsu", QStringLiteral("2")},
        {"InsertCutTrimming", QStringLiteral("False")},
        {"InsertCutTrimming_NotAuto", QStringLiteral("True")},
        {"MyDocPath", c_Setting::GetDefaultMyDocPath()},
        {"Rotate_ApiMode", QStringLiteral("True")},
        {"Rotate_BackColor", QStringLiteral("16777215")},
        {"IconWidth", QStringLiteral("80")},
        {"IconHeight", QStringLiteral("50")},
        {"ConvertTaisyou", QStringLiteral("0")},
        {"ConvertSyukusyou", QStringLiteral("True")},
        {"ConvertSyukusyouBairitsu", QStringLiteral("2")},
        {"ConvertCutTrimming", QStringLiteral("False")},
        {"ConvertListWidth_1", QStringLiteral("300")},
        {"ConvertListWidth_2", QStringLiteral("1200")},
        {"ConvertListWidth_3", QStringLiteral("1200")},
        {"ConvertListWidth_4", QStringLiteral("1200")},
        {"ConvertListWidth_5", QStringLiteral("3000")},
        {"Textbox_Fontname", QStringLiteral("Calibri")},
        {"Textbox_Fontsize", QStringLiteral("11")},
        {"Textbox_ColorIndex", QStringLiteral("0")},
        {"ShowToolTipImages", QStringLiteral("True")},
    };
    ASSERT_EQ(c_Setting::keys().size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_STREQ(c_Setting::keys()[i].name, expected[i].first); // table order
        EXPECT_EQ(text(s, expected[i].first), expected[i].second) << expected[i].first;
    }
    EXPECT_FALSE(QFileInfo::exists(iniPath())); // nothing is written before a save

    s.SaveAll();
    const QString ini = readIni();
    for (const auto& [key, value] : expected)
        EXPECT_TRUE(ini.contains(QStringLiteral("\n%1=%2\n").arg(QLatin1String(key), value)))
            << key << '\n'
            << ini.toStdString();
}

TEST_F(SettingTest, StoredTextIsConvertedThenClamped)
{
    writeIni("[setting]\n"
             "PasteSize=7\n"              // above 0–3
             "PasteInfo_X=-25\n"          // below −10
             "UnPaste_Size_Width=99999\n" // no 16-bit integer: stays 0, then clamped to 10
             "UnPaste_Size_Height=abc\n"  // no digits: 0, clamped to 10
             "IsClicMode=yes\n"           // not a Boolean: stays False
             "ShowToolTipImages=yes\n"    // stays False, not its default True
             "Textbox_Fontsize=0.5\n"
             "PastePoint=3.5\n"            // rounds half to even: 4
             "PasteInfo_Y=2.5 rows\n"      // leading number 2.5 → 2
             "PasteInfo_Type=99999\n"      // overflow, no clamp: 0
             "Rotate_BackColor=1e10\n"     // beyond 32 bits: 0
             "InsertListWidth_1=12000.5\n" // single, clamped to 10000
             "InsertListWidth_2=1234.5\n"
             "OneCellOnePaste=-1\n"
             "UnPaste_Value=0\n"
             "DefaultCommandHookOn=true\n"
             "Textbox_Fontname=\n" // empty: the fixed default font
             "MyDocPath=/srv/テンプレート/\n"
             "IconWidth=301\n"
             "Textbox_ColorIndex=-1\n");
    platform::SettingsStore store(folder());
    c_Setting s(store, m_host);
    const std::pair<const char*, const char*> expected[] = {
        {"PasteSize", "3"},
        {"PasteInfo_X", "-10"},
        {"UnPaste_Size_Width", "10"},
        {"UnPaste_Size_Height", "10"},
        {"IsClicMode", "False"},
        {"ShowToolTipImages", "False"},
        {"Textbox_Fontsize", "1"},
        {"PastePoint", "4"},
        {"PasteInfo_Y", "2"},
        {"PasteInfo_Type", "0"},
        {"Rotate_BackColor", "0"},
        {"InsertListWidth_1", "10000"},
        {"InsertListWidth_2", "1234.5"},
        {"OneCellOnePaste", "True"},
        {"UnPaste_Value", "False"},
        {"DefaultCommandHookOn", "True"},
        {"Textbox_Fontname", "ＭＳ Ｐゴシック"},
        {"IconWidth", "300"},
        {"Textbox_ColorIndex", "0"},
        {"MyDocPath", "/srv/テンプレート/"},
        {"UnPaste_Lock", "False"}, // missing: its default
    };
    for (const auto& [key, value] : expected)
        EXPECT_EQ(text(s, key), QString::fromUtf8(value)) << key;
    EXPECT_EQ(s.MyDocPath(), QStringLiteral("/srv/テンプレート"));
    EXPECT_FALSE(s.ShowToolTipImages());
    EXPECT_EQ(s.UnPaste_Size_Width, 10);
}

TEST_F(SettingTest, TheHostDecidesRotationOnVersion9AndTheFontDefaults)
{
    writeIni("[setting]\nRotate_ApiMode=False\n");
    platform::SettingsStore store(folder());
    struct Case
    {
        const char* version;
        bool rotateApi;
    };
    for (const Case c : {Case{"9.0", true}, Case{"12.0", false}, Case{"16.0", false},
                         Case{"9", true}, Case{"", false}}) {
        m_host->version = QString::fromUtf8(c.version);
        EXPECT_EQ(c_Setting(store, m_host).Rotate_ApiMode, c.rotateApi) << c.version;
    }

    m_host->font = QStringLiteral("游ゴシック");
    m_host->fontSize = 10.5;
    c_Setting fromHost(store, m_host);
    EXPECT_EQ(fromHost.Textbox_Fontname, QStringLiteral("游ゴシック"));
    EXPECT_EQ(fromHost.Textbox_Fontsize, 10.5);

    // A host that cannot tell, or no host: the initial values, then the font rules.
    m_host->fontFails = true;
    for (const host::ObjectRef& app : {host::ObjectRef(m_host), host::ObjectRef()}) {
        c_Setting s(store, app);
        EXPECT_EQ(s.Textbox_Fontname, QStringLiteral("ＭＳ Ｐゴシック"));
        EXPECT_EQ(s.Textbox_Fontsize, 1);
    }
}

TEST_F(SettingTest, ResetDeletesBothSectionsAndLoadsDefaults)
{
    writeIni("[setting]\nPasteSize=1\nIsClicMode=True\n[position]\nfrmGet_Left=10\n");
    platform::SettingsStore store(folder());
    c_Setting s(store, m_host);
    EXPECT_EQ(s.PasteSize, 1);
    s.PastePoint = 0;
    s.ResetAll();
    EXPECT_EQ(s.PasteSize, 3);
    EXPECT_EQ(s.PastePoint, 2);
    EXPECT_FALSE(s.IsClicMode);
    store.save();
    EXPECT_FALSE(readIni().contains(QStringLiteral("position")));
    EXPECT_FALSE(readIni().contains(QStringLiteral("PasteSize")));
}

TEST_F(SettingTest, AssignConvertsLikeLoadingAndRefusesWhatDoesNotConvert)
{
    platform::SettingsStore store(folder());
    c_Setting s(store, m_host);
    const auto* pasteSize = c_Setting::findKey(QStringLiteral("pastesize"));
    const auto* clic = c_Setting::findKey(QStringLiteral("IsClicMode"));
    const auto* font = c_Setting::findKey(QStringLiteral("Textbox_Fontname"));
    ASSERT_TRUE(pasteSize && clic && font);
    EXPECT_EQ(c_Setting::findKey(QStringLiteral("NoSuchKey")), nullptr);

    EXPECT_TRUE(s.assign(*pasteSize, QStringLiteral("7")));
    EXPECT_EQ(s.PasteSize, 3);
    EXPECT_FALSE(s.assign(*clic, QStringLiteral("yes")));
    EXPECT_TRUE(s.assign(*clic, QStringLiteral("TRUE")));
    EXPECT_TRUE(s.IsClicMode);
    EXPECT_TRUE(s.assign(*font, QString()));
    EXPECT_EQ(s.Textbox_Fontname, QStringLiteral("ＭＳ Ｐゴシック"));
}

class DialogProbe : public InsertionDialogLink
{
public:
    void SetToolTip() override { ++calls; }
    int calls = 0;
};

TEST_F(SettingTest, IconSizeAndTooltipChangesReachTheOpenDialog)
{
    platform::SettingsStore store(folder());
    c_Setting s(store, m_host);
    platform::ScriptedMessages messages;
    platform::ScopedMessageService scope(messages);
    DialogProbe dialog;

    s.SetIconSize(100, 60); // no dialog open: silent
    s.setShowToolTipImages(false);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(s.IconWidth(), 100);
    EXPECT_EQ(s.IconHeight(), 60);

    s.setInsertionDialog(&dialog);
    s.SetIconSize(100, 60); // unchanged: silent
    s.setShowToolTipImages(false);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(dialog.calls, 0);
    s.SetIconSize(100, 61);
    s.setShowToolTipImages(true);
    const platform::Message notice{
        QStringLiteral("アイコンサイズは、次回メイン画面を起動した際に反映されます。"),
        platform::MsgButtons::OK, platform::MsgIcon::Information,
        QStringLiteral("ピクロウアドイン")};
    EXPECT_EQ(messages.shown(), std::vector<platform::Message>{notice});
    EXPECT_EQ(s.IconHeight(), 61);
    EXPECT_EQ(dialog.calls, 1);
}

TEST_F(SettingTest, SettingTheTemplateFolderCreatesEveryMissingFolder)
{
    platform::SettingsStore store(folder());
    c_Setting s(store, m_host);
    const QString nested = m_dir.filePath(QStringLiteral("一/二/三/"));
    s.setMyDocPath(nested);
    EXPECT_TRUE(QFileInfo(m_dir.filePath(QStringLiteral("一/二/三"))).isDir());
    EXPECT_EQ(s.MyDocPath(), m_dir.filePath(QStringLiteral("一/二/三")));
    EXPECT_TRUE(s.MyDocPathExists());
    s.SaveAll();
    EXPECT_TRUE(readIni().contains(QStringLiteral("MyDocPath=") + nested)); // as stored

    // A path below a file cannot be created.
    QFile blocker(m_dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    s.setMyDocPath(m_dir.filePath(QStringLiteral("file/sub")));
    EXPECT_FALSE(s.MyDocPathExists());
    EXPECT_FALSE(s.CreateMyDocPath());
}

TEST_F(SettingTest, TheDefaultTemplateFolderIsInTheDocumentsFolder)
{
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", folder().toUtf8());
    writeIni("");
    QFile dirs(m_dir.filePath(QStringLiteral("user-dirs.dirs")));
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_DOCUMENTS_DIR=\"$HOME/書類\"\n");
    dirs.close();
    EXPECT_EQ(c_Setting::GetDefaultMyDocPath(),
              QDir::homePath() + QStringLiteral("/書類/ピクロウアドイン"));
    dirs.remove();
    EXPECT_EQ(c_Setting::GetDefaultMyDocPath(),
              QDir::homePath() + QStringLiteral("/Documents/ピクロウアドイン"));
    qputenv("XDG_CONFIG_HOME", oldConfig);
}

} // namespace
