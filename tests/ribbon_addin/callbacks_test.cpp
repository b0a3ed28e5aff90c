// The callbacks by name: texts, images through a temporary file, visibility, actions and the
// bridge's failures.
#include "tests/ribbon_addin/ribbon_fixture.h"

#include "ribbon_addin/resources.h"

#include <QDir>

using namespace ribbon_test;
using platform::Message;
using platform::MsgIcon;

namespace {

host::Variant callByName(const std::shared_ptr<ribbon_addin::Connect2>& addin, const char* name,
                         host::Args args)
{
    return addin->invoke(q(name), host::CallKind::Method, args);
}

struct TextCase
{
    const char* id; // without the prefix
    const char* label;
    const char* screentip;
    const char* supertip;
};

const TextCase kTexts[] = {
    {"MAIN", "ピクロウアドイン", nullptr, nullptr},
    {"MAIN_GET", "ピクロウ", "ピクロウ", "図（画像ファイル）を連続して読み込むことができます。"},
    {"MAIN_TOOL", "おまけ機能", "おまけ機能", "ちょっと便利なおまけ機能です。"},
    {"MAIN_TOOL_SAVEPIC", "画像として保存", "画像として保存",
     "選択シートまたはオートシェープを画像として保存することができます。"},
    {"MAIN_TOOL_TEMPLATEMENU_LOAD", "テンプレートシートを開く", "テンプレートシートを開く",
     "指定したテンプレートファイルを開き、画像ファイルの一括読み込みに備えます。"},
    {"MAIN_TOOL_TEMPLATEMENU_SAVE", "現在のシートをテンプレートとして保存する",
     "現在のシートをテンプレートとして保存", "現在のシートをテンプレートとして保存します。"},
    {"MAIN_TOOL_RETRIMMING", "再トリミング", "再トリミング",
     "トリミング済みの画像を位置をずらさずにトリミングします。"},
    {"MAIN_TOOL_RETRIMMING_2", "再トリミング", "再トリミング",
     "トリミング済みの画像を位置をずらさずにトリミングします。"},
    {"MAIN_TOOL_RESMALL", "原型サイズの一括縮小", "原型サイズの一括縮小",
     "挿入済みの図の原型サイズを一括縮小して、ファイル容量を抑制します。。"},
    {"MAIN_HOMEPAGE", "開発元ホームページ", "開発元ホームページ",
     "開発元ホームページへジャンプします。"},
    {"MAIN_HELP", "ヘルプ", "ヘルプ", "ヘルプを表示します。"},
    {"MAIN_ABOUT", "バージョン情報", "バージョン情報", "バージョン情報を表示します。"},
    {"MAIN_SETTING", nullptr, "環境設定", "各種設定を行います。"},
    {"PICTURETOOLSFORMAT_GROUPPICTURESIZE", "サイズ", nullptr, nullptr},
};

TEST_F(RibbonTest, TextsByIdAndAMessageForEachMissingEntry)
{
    makeHost("16.0");
    const std::pair<const char*, const char * TextCase::*> columns[] = {
        {"Callback_getLabel", &TextCase::label},
        {"Callback_getScreentip", &TextCase::screentip},
        {"Callback_getSupertip", &TextCase::supertip},
    };
    for (const TextCase& c : kTexts) {
        for (const auto& [callback, column] : columns) {
            SCOPED_TRACE(std::string(c.id) + " " + callback);
            messages.clear();
            const QString id = QLatin1String(kPrefix) + QLatin1String(c.id);
            const host::Variant text = callByName(ribbon, callback, {host::Variant(control(id))});
            const char* expected = c.*column;
            EXPECT_EQ(text.toString(), expected ? q(expected) : QString());
            if (expected)
                EXPECT_TRUE(messages.shown().empty());
            else
                EXPECT_EQ(messages.shown(),
                          (std::vector<Message>{
                              titled(q("Error:") + QLatin1String(callback) + q("\r\n") + id)}));
        }
    }
    // An id without the common prefix is no entry either.
    messages.clear();
    EXPECT_EQ(ribbon->Callback_getLabel(control(q("MAIN_GET"))), QString());
    EXPECT_EQ(messages.shown(),
              (std::vector<Message>{titled(q("Error:Callback_getLabel\r\nMAIN_GET"))}));
}

TEST_F(RibbonTest, ImagesAreTheHostsOrTheAddinsOwnAndLeaveNoTemporaryFile)
{
    QTemporaryDir temp;
    qputenv("TMPDIR", temp.path().toUtf8());
    makeHost("16.0");
    const xl::CommandBars bars = app.CommandBars();
    const std::pair<const char*, const char*> hostImages[] = {
        {"MAIN_GET", "PhotoAlbumInsert"},
        {"MAIN_TOOL", "HappyFace"},
        {"MAIN_TOOL_TEMPLATEMENU_LOAD", "FileCheckIn"},
        {"MAIN_TOOL_TEMPLATEMENU_SAVE", "FileCheckOut"},
        {"MAIN_TOOL_RETRIMMING", "PictureCrop"},
        {"MAIN_TOOL_RETRIMMING_2", "PictureCrop"},
        {"MAIN_HOMEPAGE", "OpenStartPage"},
        {"MAIN_HELP", "ContentsAndIndex"},
        {"MAIN_ABOUT", "Info"},
    };
    for (const auto& [id, mso] : hostImages) {
        SCOPED_TRACE(id);
        const QImage image =
            imageOf(callByName(ribbon, "Callback_loadImage",
                               {host::Variant(QLatin1String(kPrefix) + QLatin1String(id))})
                        .toObject());
        ASSERT_EQ(image.size(), QSize(32, 32));
        EXPECT_EQ(image, imageOf(bars.GetImageMso(QLatin1String(mso), 32, 32)));
    }
    for (const char* png : {"SAVEPIC", "RESMALL"}) {
        SCOPED_TRACE(png);
        const QImage image = imageOf(ribbon->Callback_loadImage(
            QLatin1String(kPrefix) + q("MAIN_TOOL_") + QLatin1String(png)));
        const QImage resource = QImage::fromData(ribbon_addin::resourceBytes(
                                                     q("PNG_ICON_") + QLatin1String(png), q("PNG")))
                                    .convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(resource.size(), QSize(32, 32));
        EXPECT_EQ(image, resource);
    }
    EXPECT_TRUE(messages.shown().empty());

    // A PNG that does not decode: the host's Delete image, no message, no file left.
    ribbon_addin::overrideResource(q("PNG_ICON_SAVEPIC"), q("PNG"), "not a picture");
    const QImage broken =
        imageOf(ribbon->Callback_loadImage(q("TORVA_PICROW_TAB_MAIN_TOOL_SAVEPIC")));
    ribbon_addin::overrideResource(q("PNG_ICON_SAVEPIC"), q("PNG"), {});
    const QImage deleteImage = imageOf(bars.GetImageMso(q("Delete"), 32, 32));
    ASSERT_FALSE(deleteImage.isNull());
    EXPECT_EQ(broken, deleteImage);
    EXPECT_TRUE(messages.shown().empty());

    // The launcher's button has no picture of its own: the Delete image without a message; an
    // id outside the table: the message, then the Delete image.
    EXPECT_EQ(imageOf(ribbon->Callback_loadImage(q("TORVA_PICROW_TAB_MAIN_SETTING"))), deleteImage);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(imageOf(ribbon->Callback_loadImage(q("TORVA_PICROW_TAB_MAIN_BOX"))), deleteImage);
    EXPECT_EQ(
        messages.shown(),
        (std::vector<Message>{titled(q("Error:Callback_loadImage\r\nTORVA_PICROW_TAB_MAIN_BOX"))}));
    EXPECT_TRUE(QDir(temp.path()).isEmpty());
    qunsetenv("TMPDIR");
}

TEST_F(RibbonTest, ExactlyOneSizeGroupShowsAndARefreshFollowsTheSetting)
{
    makeHost("16.0");
    auto ribbonUi = std::make_shared<CountingRibbon>();
    callByName(ribbon, "Callback_onLoad", {host::Variant(host::ObjectRef(ribbonUi))});
    const auto visible = [this](const char* id) {
        return callByName(ribbon, "Callback_getVisible", {host::Variant(control(q(id)))});
    };
    const char* copy = "TORVA_PICROW_TAB_PICTURETOOLSFORMAT_GROUPPICTURESIZE";
    // ReTrimmingAdd defaults to on: the copy with the re-trimming button shows.
    EXPECT_EQ(visible("GroupPictureSize").toBool(), false);
    EXPECT_EQ(visible(copy).toBool(), true);

    setSetting("ReTrimmingAdd", "False");
    callByName(ribbon, "CallForExe_Refresh_RetrimmingCmd", {});
    EXPECT_EQ(ribbonUi->invalidated, 1);
    EXPECT_EQ(visible("GroupPictureSize").toBool(), true);
    EXPECT_EQ(visible(copy).toBool(), false);
    EXPECT_TRUE(messages.shown().empty());

    EXPECT_TRUE(visible("TORVA_PICROW_TAB_MAIN_GET").isEmpty());
    EXPECT_EQ(messages.shown(), (std::vector<Message>{titled(
                                    q("Error:Callback_getVisible\r\nTORVA_PICROW_TAB_MAIN_GET"))}));
}

TEST_F(RibbonTest, RefreshWithoutARibbonReachesTheCaller)
{
    makeHost("16.0");
    EXPECT_THROW(callByName(ribbon, "CallForExe_Refresh_RetrimmingCmd", {}), host::HostError);
}

TEST_F(RibbonTest, EveryButtonCallsItsBridgeMethod)
{
    makeHost("16.0");
    openBook();
    const std::pair<const char*, const char*> presses[] = {
        {"MAIN_GET", "get"},
        {"MAIN_TOOL_SAVEPIC", "savepic"},
        {"MAIN_TOOL_TEMPLATEMENU_LOAD", "tool_temload"},
        {"MAIN_TOOL_TEMPLATEMENU_SAVE", "tool_temsave"},
        {"MAIN_TOOL_RETRIMMING", "retrimming"},
        {"MAIN_TOOL_RETRIMMING_2", "retrimming"},
        {"MAIN_TOOL_RESMALL", "tool_resmall"},
        {"MAIN_HELP", "help"},
        {"MAIN_ABOUT", "about"},
        {"MAIN_SETTING", "setting"},
    };
    std::vector<QString> expected;
    for (const auto& [id, word] : presses) {
        callByName(ribbon, "Callback_Button_onAction", {host::Variant(suiteControl(id))});
        expected.push_back(q(word));
    }
    EXPECT_EQ(words, expected);
    EXPECT_TRUE(messages.shown().empty());

    ribbon->Callback_Button_onAction(suiteControl("MAIN_TOOL"));
    EXPECT_EQ(messages.shown(),
              (std::vector<Message>{
                  titled(q("Error:Callback_Button_onAction\r\nTORVA_PICROW_TAB_MAIN_TOOL"))}));
    EXPECT_EQ(words.size(), expected.size());
}

TEST_F(RibbonTest, MenuAddinNotListedFailsEachPressAndQueryWithTheHostsError)
{
    makeHost("16.0", /*listMenu=*/false);
    ribbon->Callback_Button_onAction(suiteControl("MAIN_GET"));
    const Message fetchFailed = titled(q("Err:9\r\nSubscript out of range"), MsgIcon::Critical);
    EXPECT_EQ(messages.shown(), std::vector<Message>{fetchFailed});

    // The host's own Size group stays; the copy gets no value.
    messages.clear();
    EXPECT_EQ(ribbon->Callback_getVisible(control(q("GroupPictureSize"))),
              std::optional<bool>(true));
    EXPECT_EQ(ribbon->Callback_getVisible(
                  control(q("TORVA_PICROW_TAB_PICTURETOOLSFORMAT_GROUPPICTURESIZE"))),
              std::nullopt);
    EXPECT_EQ(messages.shown(), (std::vector<Message>{fetchFailed, fetchFailed}));

    // The takeover leaves the host's flag as it came.
    messages.clear();
    bool cancel = true;
    ribbon->Call_PictureInsertFromFile_onAction(nullptr, cancel);
    EXPECT_TRUE(cancel);
    EXPECT_EQ(messages.shown(), std::vector<Message>{fetchFailed});
    EXPECT_TRUE(words.empty());
}

TEST_F(RibbonTest, MenuAddinListedButNotConnectedDoesNothingQuietly)
{
    makeHost("16.0", /*listMenu=*/true, /*connectMenu=*/false);
    openBook();
    ribbon->Callback_Button_onAction(suiteControl("MAIN_GET"));
    EXPECT_EQ(ribbon->Callback_getVisible(control(q("GroupPictureSize"))), std::nullopt);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_TRUE(words.empty());
    // The takeover passes the failed call to the host.
    bool cancel = false;
    EXPECT_THROW(ribbon->Call_PictureInsertFromFile_onAction(nullptr, cancel), host::HostError);
}

TEST_F(RibbonTest, InsertPictureTakeoverRunsTheLegacyCommandAndReturnsFalse)
{
    for (const char* hook : {"True", "False"}) {
        SCOPED_TRACE(hook);
        words.clear();
        makeHost("16.0");
        openBook();
        setSetting("DefaultCommandHookOn", hook);
        int hostDialogs = 0;
        host->app().commandBars().setBuiltInAction(
            2619, [&](host::objects::Application&) { ++hostDialogs; });
        auto flag = std::make_shared<host::Variant>(true);
        host::Args args{host::Variant(control(q("PictureInsertFromFile")))};
        args.addByRef(flag);
        callByName(ribbon, "Call_PictureInsertFromFile_onAction", args);
        EXPECT_EQ(flag->toBool(), false);
        const bool takenOver = QByteArray(hook) == "True";
        EXPECT_EQ(hostDialogs, takenOver ? 0 : 1);
        EXPECT_EQ(words, takenOver ? std::vector<QString>{q("get")} : std::vector<QString>{});
        std::vector<host::Variant> custom;
        ribbon->OnDisconnection(host::RemoveMode::HostShutdown, custom);
        menu->OnDisconnection(host::RemoveMode::HostShutdown, custom);
        ribbon.reset();
        menu.reset();
    }
}

TEST_F(RibbonTest, TrimmingIsEnabledExactlyWhenOnePictureIsSelected)
{
    makeHost("16.0");
    openBook();
    EXPECT_FALSE(callByName(ribbon, "CallForExe_GetTrimmingEnabled", {}).toBool());
    const QString file = dir.filePath(q("p.png"));
    QImage(8, 8, QImage::Format_RGB32).save(file);
    const xl::Object pictures(app.ActiveSheet().get(q("Pictures")));
    xl::Object(pictures.call(q("Insert"), {host::Variant(file)})).call(q("Select"));
    EXPECT_TRUE(callByName(ribbon, "CallForExe_GetTrimmingEnabled", {}).toBool());
}

} // namespace
