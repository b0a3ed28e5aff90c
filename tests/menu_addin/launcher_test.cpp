// The launcher's command line and where it looks for the main program.
#include "tests/menu_addin/addin_fixture.h"

#include <QDir>

using namespace menu_addin_test;
using platform::Message;
using platform::MsgButtons;
using platform::MsgIcon;

namespace {

void touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(Launcher, TheCommandLineQuotesProgramAndBookAndSeparatesWithTabs)
{
    EXPECT_EQ(menu_addin::f_BuildCommandLine(q("/opt/a b/TORVA_PicrowsMain"),
                                             q("/home/u/my album.xlsx"), 12345, q("get")),
              q("\"/opt/a b/TORVA_PicrowsMain\" \"/home/u/my album.xlsx\"\t12345\tget"));
    EXPECT_EQ(menu_addin::f_BuildCommandLine(q("/p/m"), q("Book1"), 0, q("tool_temsave")),
              q("\"/p/m\" \"Book1\"\t0\ttool_temsave"));
    std::vector<QString> words;
    for (std::int32_t n = -1; n <= 9; ++n)
        words.push_back(menu_addin::commandWord(n));
    EXPECT_EQ(words, (std::vector<QString>{{},
                                           q("get"),
                                           q("setting"),
                                           q("help"),
                                           q("about"),
                                           q("savepic"),
                                           q("retrimming"),
                                           q("tool_resmall"),
                                           q("tool_temload"),
                                           q("tool_temsave"),
                                           {}}));
}

TEST(Launcher, TheMainProgramIsFoundBesideTheAddinOrInTheSiblingFolder)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    const QString addins = root + q("/製品_旧アドイン");
    const QString mains = root + q("/製品_メイン実行EXE");
    const QString other = root + q("/別の名前");
    QDir().mkpath(addins);
    QDir().mkpath(other);

    // Nothing anywhere: the path tried last is the sibling's.
    EXPECT_EQ(menu_addin::f_MainProgramPath(addins), mains + q("/TORVA_PicrowsMain"));
    touch(mains + q("/TORVA_PicrowsMain"));
    EXPECT_EQ(menu_addin::f_MainProgramPath(addins), mains + q("/TORVA_PicrowsMain"));
    touch(other + q("/../製品_メイン実行EXE/x"));
    // A folder of another name is the only place looked at.
    EXPECT_EQ(menu_addin::f_MainProgramPath(other), other + q("/TORVA_PicrowsMain"));
    // Beside the add-in wins over the sibling.
    touch(addins + q("/TORVA_PicrowsMain"));
    EXPECT_EQ(menu_addin::f_MainProgramPath(addins), addins + q("/TORVA_PicrowsMain"));
    // The root folder gets no second separator.
    EXPECT_EQ(menu_addin::f_MainProgramPath(q("/")), q("/TORVA_PicrowsMain"));
}

TEST_F(AddinTest, AMissingMainProgramIsReportedWithThePathTriedLast)
{
    connectAddin(q("11.0"));
    openBook();
    const QString folder = dir.filePath(q("製品_旧アドイン"));
    QDir().mkpath(folder);
    menu_addin::setAddinFolder(folder);
    connect->buttons()->button(menu_addin::CbSlot::gobjBtnGet).call(q("Execute"));
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(messages.shown(),
              (std::vector<Message>{{q("err:必要ファイルが見つかりません。\r\n") +
                                         dir.filePath(q("製品_メイン実行EXE/TORVA_PicrowsMain")),
                                     MsgButtons::OK, MsgIcon::Critical, q("ピクロウアドイン")}}));
}

TEST_F(AddinTest, ANumberOutsideTheTableIsTheDevelopersError)
{
    makeHost(q("11.0"));
    openBook();
    menu_addin::s_CommandByShell(app, 9);
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(messages.shown(), (std::vector<Message>{{q("err:dev"), MsgButtons::OK, MsgIcon::None,
                                                       q("ピクロウアドイン")}}));
}

} // namespace
