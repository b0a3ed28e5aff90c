// The menu under the worksheet menu bar: its tree, the pop-up shared with the maker's other
// add-ins, and the faces drawn through the clipboard.
#include "tests/menu_addin/addin_fixture.h"

#include "platform/clipboard.h"

#include <QMimeData>

using namespace menu_addin_test;
using menu_addin::CbSlot;

namespace {

struct Row
{
    const char* caption;
    int faceId; // -1: an icon of the add-in's
    bool beginGroup;
    const char* tag;
    CbSlot slot;
};

void expectButtons(const std::vector<xl::Object>& controls, size_t from,
                   const std::vector<Row>& rows, const menu_addin::c_CB& sink,
                   const menu_addin::Connect& addin)
{
    ASSERT_GE(controls.size(), from + rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        const xl::Object& c = controls[from + i];
        SCOPED_TRACE(row.caption);
        EXPECT_EQ(c.get(q("Caption")).toString(), q(row.caption));
        EXPECT_EQ(c.get(q("Type")).toInt32(), 1);
        EXPECT_EQ(c.get(q("Style")).toInt32(), 3);
        EXPECT_EQ(c.get(q("OnAction")).toString(), addin.onAction());
        EXPECT_EQ(c.get(q("BeginGroup")).toBool(), row.beginGroup);
        EXPECT_EQ(c.get(q("Tag")).toString(), q(row.tag));
        EXPECT_EQ(sink.button(row.slot), c);
        const auto& control = model(c);
        if (row.faceId < 0) {
            EXPECT_EQ(control.faceId(), 0);
            EXPECT_EQ(control.face().size(), QSize(16, 16));
        } else {
            EXPECT_EQ(control.faceId(), row.faceId);
            EXPECT_TRUE(control.face().isNull());
        }
    }
}

TEST_F(AddinTest, TheMenuTreeHasItsCaptionsTagsFacesGroupsAndActions)
{
    connectAddin(q("11.0"));
    const xl::Object shared = findByTag("TORVA");
    ASSERT_FALSE(shared.isNothing());
    EXPECT_EQ(shared.get(q("Caption")).toString(), q("TORVA(&M)"));
    EXPECT_EQ(shared.get(q("Type")).toInt32(), 10);
    EXPECT_EQ(xl::Object(shared.get(q("CommandBar"))).get(q("Protection")).toInt32(), 1);
    // The shared pop-up is the last control of the worksheet menu bar.
    const std::vector<xl::Object> top = controlsOf(bar("Worksheet Menu Bar"));
    EXPECT_EQ(top.back(), shared);

    const std::vector<xl::Object> inShared = controlsOf(shared);
    ASSERT_EQ(inShared.size(), 2u);
    const xl::Object submenu = inShared[0];
    EXPECT_EQ(submenu.get(q("Caption")).toString(), q("ピクロウアドイン(&R)"));
    EXPECT_EQ(submenu.get(q("Tag")).toString(), q("TORVA_PICROWS"));
    EXPECT_EQ(submenu.get(q("Type")).toInt32(), 10);
    const menu_addin::c_CB& sink = *connect->buttons();
    expectButtons(
        inShared, 1,
        {{"開発元ホームページへ(&D)", 1016, false, "TORVA_SITE", CbSlot::gobjBtnGoToHomePage}},
        sink, *connect);

    const std::vector<xl::Object> inSubmenu = controlsOf(submenu);
    ASSERT_EQ(inSubmenu.size(), 5u);
    expectButtons(inSubmenu, 0, {{"ピクロウ(&O)", -1, false, "", CbSlot::gobjBtnGet}}, sink,
                  *connect);
    const xl::Object extras = inSubmenu[1];
    EXPECT_EQ(extras.get(q("Caption")).toString(), q("おまけ機能(&T)"));
    EXPECT_EQ(extras.get(q("Type")).toInt32(), 10);
    expectButtons(inSubmenu, 2,
                  {{"環境設定(&S)", 548, true, "", CbSlot::gobjBtnSetting},
                   {"ヘルプ(&H)", 3278, false, "", CbSlot::gobjBtnHelp},
                   {"バージョン情報(&V)", 0, false, "", CbSlot::gobjBtnAbout}},
                  sink, *connect);
    const std::vector<xl::Object> inExtras = controlsOf(extras);
    ASSERT_EQ(inExtras.size(), 5u);
    expectButtons(
        inExtras, 0,
        {{"選択セルまたはオートシェイプを画像として保存(&P)", -1, false, "",
          CbSlot::gobjBtnToolSavePic},
         {"テンプレートシートを開く(&O)", 316, true, "", CbSlot::gobjBtnToolTemLoad},
         {"現在のシートをテンプレートとして保存(&S)", 317, false, "", CbSlot::gobjBtnToolTemSave},
         {"再トリミング(&R)", -1, true, "TORVA_RETRIMMINGCOMMAND_COPY",
          CbSlot::gobjBtnToolReTrimming},
         {"図の原型サイズを一括縮小(&M)", 218, true, "", CbSlot::gobjBtnToolReSmall}},
        sink, *connect);
}

TEST_F(AddinTest, IconFacesShowTheIconOverTheFaceAndLeaveTheClipboardEmpty)
{
    connectAddin(q("11.0"));
    const QImage face = model(connect->buttons()->button(CbSlot::gobjBtnGet)).face();
    const QImage icon = menu_addin::addinIcon(q("ICON_GET"));
    ASSERT_FALSE(icon.isNull());
    // Opaque pixels of the icon are the face's; transparent ones keep the face's own.
    const QImage iconArgb = icon.convertToFormat(QImage::Format_ARGB32);
    const QImage faceArgb = face.convertToFormat(QImage::Format_ARGB32);
    int opaque = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (qAlpha(iconArgb.pixel(x, y)) == 255) {
                ++opaque;
                EXPECT_EQ(faceArgb.pixel(x, y), iconArgb.pixel(x, y)) << x << "," << y;
            } else if (qAlpha(iconArgb.pixel(x, y)) == 0) {
                EXPECT_EQ(qAlpha(faceArgb.pixel(x, y)), 0) << x << "," << y;
            }
    EXPECT_GT(opaque, 40);
    EXPECT_FALSE(platform::clipboard().hasImage());
    EXPECT_EQ(beeps, 0);
}

// A clipboard that takes nothing: faces cannot travel.
class DeadClipboard : public platform::Clipboard
{
public:
    QStringList formats() const override { return {}; }
    bool hasImage() const override { return false; }
    QImage image() const override { return {}; }
    QByteArray data(const QString&) const override { return {}; }
    void clear() override {}
    void setMimeData(std::unique_ptr<QMimeData>) override {}
};

TEST_F(AddinTest, AFaceThatCannotBeSetBeepsAndTheMenuIsBuiltAllTheSame)
{
    DeadClipboard dead;
    platform::ScopedClipboard scope(dead);
    connectAddin(q("11.0"));
    EXPECT_EQ(beeps, 3); // the three icon faces
    EXPECT_TRUE(messages.shown().empty());
    const xl::Object get = connect->buttons()->button(CbSlot::gobjBtnGet);
    EXPECT_EQ(get.get(q("Caption")).toString(), q("ピクロウ(&O)"));
    EXPECT_TRUE(model(get).face().isNull());
    EXPECT_FALSE(connect->buttons()->button(CbSlot::gobjBtnAbout).isNothing());
}

// What another add-in of the same maker leaves in the shared pop-up: its submenu and the
// home-page item.
xl::Object buildOtherAddinsMenu(const xl::Object& menuBar)
{
    host::Args popup;
    popup.add(q("Type"), host::Variant(std::int32_t(10)));
    const xl::Object shared(xl::Object(menuBar.get(q("Controls"))).call(q("Add"), popup));
    shared.let(q("Caption"), q("TORVA(&M)"));
    shared.let(q("Tag"), q("TORVA"));
    const xl::Object controls(shared.get(q("Controls")));
    const xl::Object other(controls.call(q("Add"), popup));
    other.let(q("Caption"), q("ほかのアドイン"));
    other.let(q("Tag"), q("TORVA_OTHER"));
    const xl::Object site(controls.call(q("Add")));
    site.let(q("Caption"), q("開発元ホームページへ(&D)"));
    site.let(q("Tag"), q("TORVA_SITE"));
    return shared;
}

TEST_F(AddinTest, TheSharedPopupIsReusedAndStaysWhileAnotherAddinsSubmenuIsInIt)
{
    makeHost(q("10.0"));
    const xl::Object shared = buildOtherAddinsMenu(bar("Worksheet Menu Bar"));
    connectAddin();

    EXPECT_EQ(findByTag("TORVA"), shared);
    std::vector<QString> tags;
    for (const xl::Object& c : controlsOf(shared))
        tags.push_back(c.get(q("Tag")).toString());
    EXPECT_EQ(tags, (std::vector<QString>{q("TORVA_PICROWS"), q("TORVA_OTHER"), q("TORVA_SITE")}));
    EXPECT_TRUE(connect->buttons()->button(CbSlot::gobjBtnGoToHomePage).isNothing());

    disconnect();
    EXPECT_EQ(findByTag("TORVA"), shared);
    tags.clear();
    for (const xl::Object& c : controlsOf(shared))
        tags.push_back(c.get(q("Tag")).toString());
    EXPECT_EQ(tags, (std::vector<QString>{q("TORVA_OTHER"), q("TORVA_SITE")}));
    connect.reset();
}

TEST_F(AddinTest, AControlTaggedTorvaThatIsNoPopupIsReplaced)
{
    makeHost(q("9.0"));
    const xl::Object stray(xl::Object(bar("Worksheet Menu Bar").get(q("Controls"))).call(q("Add")));
    stray.let(q("Tag"), q("TORVA"));
    connectAddin();
    const xl::Object shared = findByTag("TORVA");
    EXPECT_NE(shared, stray);
    EXPECT_EQ(shared.get(q("Type")).toInt32(), 10);
    EXPECT_THROW(stray.get(q("Tag")), host::HostError); // deleted
    // Only the home-page item left after this add-in goes: the pop-up goes too.
    disconnect();
    EXPECT_TRUE(findByTag("TORVA").isNothing());
    connect.reset();
}

} // namespace
