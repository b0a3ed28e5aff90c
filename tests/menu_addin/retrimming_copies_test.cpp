// The re-trimming button's copies on the Picture toolbar and the pictures context menu.
#include "tests/menu_addin/addin_fixture.h"

using namespace menu_addin_test;
using menu_addin::CbSlot;

namespace {

const char* const kCopyTag = "TORVA_RETRIMMINGCOMMAND_COPY";

class RetrimmingCopies : public AddinTest
{
protected:
    std::vector<xl::Object> copiesOn(const char* barName) const
    {
        std::vector<xl::Object> out;
        for (const xl::Object& c : controlsOf(bar(barName)))
            if (c.get(q("Tag")).toString() == q(kCopyTag))
                out.push_back(c);
        return out;
    }
    void addButtons(const char* barName, int count) const
    {
        const xl::Object controls(bar(barName).get(q("Controls")));
        for (int i = 0; i < count; ++i) {
            host::Args first;
            first.add(q("Before"), host::Variant(std::int32_t(1)));
            controls.call(q("Add"), first);
        }
    }
    xl::Object crop() const
    {
        host::Args byId;
        byId.add(q("Id"), host::Variant(std::int32_t(732)));
        return xl::Object(bar("Picture").call(q("FindControl"), byId));
    }
};

struct PlacementCase
{
    const char* name;
    int buttonsBeforeCrop; // -1: the crop button removed; -2: the crop button moved last
    int expectedIndex;     // 0: the last control
    bool expectedGroup;
};

class CopyPlacement : public RetrimmingCopies, public ::testing::WithParamInterface<PlacementCase>
{
};

TEST_P(CopyPlacement, TheToolbarCopyGoesAfterTheCropButtonOrAtTheEnd)
{
    const PlacementCase& c = GetParam();
    makeHost(q("11.0"));
    if (c.buttonsBeforeCrop >= 0)
        addButtons("Picture", c.buttonsBeforeCrop);
    if (c.buttonsBeforeCrop == -1)
        crop().call(q("Delete"));
    if (c.buttonsBeforeCrop == -2) {
        crop().call(q("Copy"));
        crop().call(q("Delete"));
    }
    if (c.buttonsBeforeCrop >= 0) {
        ASSERT_EQ(crop().get(q("Index")).toInt32(), c.expectedIndex - 1);
    }
    connectAddin();

    const std::vector<xl::Object> copies = copiesOn("Picture");
    ASSERT_EQ(copies.size(), 1u);
    const int count = int(controlsOf(bar("Picture")).size());
    EXPECT_EQ(copies[0].get(q("Index")).toInt32(), c.expectedIndex ? c.expectedIndex : count);
    EXPECT_EQ(copies[0].get(q("BeginGroup")).toBool(), c.expectedGroup);
    EXPECT_EQ(copies[0].get(q("Caption")).toString(), q("再トリミング(&R)"));
    EXPECT_EQ(copies[0].get(q("OnAction")).toString(), q("!<TORVA_Picrows.Connect>"));
    EXPECT_EQ(model(copies[0]).face(),
              model(connect->buttons()->button(CbSlot::gobjBtnToolReTrimming)).face());

    const std::vector<xl::Object> context = copiesOn("Pictures Context Menu");
    ASSERT_EQ(context.size(), 1u);
    EXPECT_EQ(context[0].get(q("Index")).toInt32(),
              int(controlsOf(bar("Pictures Context Menu")).size()));
    EXPECT_TRUE(context[0].get(q("BeginGroup")).toBool());
}

INSTANTIATE_TEST_SUITE_P(Table, CopyPlacement,
                         ::testing::Values(PlacementCase{"built-in toolbar", 0, 3, false},
                                           PlacementCase{"crop at index 5", 3, 6, false},
                                           PlacementCase{"crop removed", -1, 0, true},
                                           PlacementCase{"crop last", -2, 0, true}),
                         [](const auto& info) {
                             QString name = QString::fromUtf8(info.param.name);
                             return name.replace(u' ', u'_').replace(u'-', u'_').toStdString();
                         });

TEST_F(RetrimmingCopies, TheSettingDecidesAndCallsNeverPileCopiesUp)
{
    setSetting("ReTrimmingAdd", "False");
    connectAddin(q("11.0"));
    EXPECT_TRUE(copiesOn("Picture").empty());
    EXPECT_TRUE(copiesOn("Pictures Context Menu").empty());

    const host::ObjectRef object = app.COMAddIns(q("TORVA_Picrows.Connect")).Object().ref();
    for (int i = 0; i < 2; ++i)
        host::deref(object).call(q("CallForExe_CommandBar_ViewChange_RetrimmingCmd"),
                                 {host::Variant(true)});
    EXPECT_EQ(copiesOn("Picture").size(), 1u);
    EXPECT_EQ(copiesOn("Pictures Context Menu").size(), 1u);

    // A copy's click starts re-trimming as the menu's button does.
    openBook();
    copiesOn("Pictures Context Menu")[0].call(q("Execute"));
    EXPECT_EQ(startedWords(), std::vector<QString>{q("retrimming")});

    host::deref(object).call(q("callforexe_commandbar_viewchange_retrimmingcmd"),
                             {host::Variant(false)});
    EXPECT_TRUE(copiesOn("Picture").empty());
    EXPECT_TRUE(copiesOn("Pictures Context Menu").empty());
    const xl::Object own = connect->buttons()->button(CbSlot::gobjBtnToolReTrimming);
    EXPECT_EQ(own.get(q("Tag")).toString(), q(kCopyTag)); // the menu's own button stays
}

TEST_F(RetrimmingCopies, ConnectionAndDisconnectionRemoveCopiesLeftFromAnEarlierRun)
{
    makeHost(q("11.0"));
    const auto leftOn = [this](const char* barName) {
        const xl::Object left(xl::Object(bar(barName).get(q("Controls"))).call(q("Add")));
        left.let(q("Tag"), q(kCopyTag));
        return left;
    };
    const xl::Object before = leftOn("Picture");
    connectAddin();
    EXPECT_THROW(before.get(q("Tag")), host::HostError); // deleted, and renewed
    EXPECT_EQ(copiesOn("Picture").size(), 1u);

    leftOn("Standard");
    leftOn("Pictures Context Menu");
    disconnect();
    host::Args byTag;
    byTag.add(q("Tag"), host::Variant(q(kCopyTag)));
    EXPECT_TRUE(app.CommandBars().call(q("FindControls"), byTag).toObject() == nullptr);
    connect.reset();
}

TEST_F(RetrimmingCopies, HostsFrom12OnGetNoCopies)
{
    connectAddin(q("12.0"));
    const host::ObjectRef object = app.COMAddIns(q("TORVA_Picrows.Connect")).Object().ref();
    host::deref(object).call(q("CallForExe_CommandBar_ViewChange_RetrimmingCmd"),
                             {host::Variant(true)});
    EXPECT_TRUE(copiesOn("Picture").empty());
    EXPECT_TRUE(copiesOn("Pictures Context Menu").empty());
}

} // namespace
