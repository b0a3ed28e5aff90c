// Connection per host version and platform, and the markup each version gets.
#include "tests/ribbon_addin/ribbon_fixture.h"

#include "ribbon_addin/resources.h"

#include <pugixml.hpp>

#include <set>

using namespace ribbon_test;
using platform::MsgIcon;

namespace {

struct VersionCase
{
    const char* version;
    bool connectFlag;   // the record's Connect after connection
    bool published;     // the record's Object is the add-in
    const char* markup; // resource expected, nullptr for an empty text
};

class RibbonPerVersion : public RibbonTest, public ::testing::WithParamInterface<VersionCase>
{
};

TEST_P(RibbonPerVersion, ConnectsSilentlyAndAnswersItsMarkup)
{
    const VersionCase& c = GetParam();
    makeHost(c.version);
    EXPECT_EQ(ribbonRecord->connected(), c.connectFlag);
    EXPECT_EQ(ribbonRecord->object() == std::static_pointer_cast<host::Dispatch>(ribbon),
              c.published);
    // The menu add-in refuses some of these versions with its own message; this add-in says
    // nothing.
    for (const platform::Message& m : messages.shown())
        EXPECT_NE(m.title, q("ピクロウアドイン For 2007"));

    const QString markup = ribbon->GetCustomUI(q("Microsoft.Excel.Workbook"));
    if (!c.markup) {
        EXPECT_TRUE(markup.isEmpty());
        return;
    }
    // The resource keeps its byte-order mark and CR LF; the answer is the parsed document
    // written out again, without the mark.
    const QByteArray resource = ribbon_addin::resourceBytes(q(c.markup), q("XML"));
    ASSERT_TRUE(resource.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(resource.contains("\r\n"));
    EXPECT_FALSE(markup.startsWith(QChar(0xFEFF)));
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(markup.toStdString().c_str()));
    const pugi::xml_node crop =
        doc.select_node("//group[@id='TORVA_PICROW_TAB_PICTURETOOLSFORMAT_GROUPPICTURESIZE']/*[1]")
            .node();
    if (QByteArray(c.version) == "12.0") {
        EXPECT_STREQ(crop.name(), "control");
        EXPECT_STREQ(crop.attribute("idMso").value(), "PictureCrop");
    } else {
        EXPECT_STREQ(crop.name(), "splitButton");
        EXPECT_STREQ(crop.attribute("idMso").value(), "PictureCropTools");
    }
    EXPECT_STREQ(crop.attribute("size").value(), "large");
}

INSTANTIATE_TEST_SUITE_P(Table, RibbonPerVersion,
                         ::testing::Values(VersionCase{"11.0", true, false, nullptr},
                                           VersionCase{"12.0", true, true, "CUSTOMUI2007"},
                                           VersionCase{"13.0", false, false, nullptr},
                                           VersionCase{"14.0", true, true, "CUSTOMUI2010"},
                                           VersionCase{"15.0", true, true, "CUSTOMUI2013"},
                                           VersionCase{"16.0", true, true, "CUSTOMUI2016"},
                                           VersionCase{"17.0", false, false, nullptr}));

TEST_F(RibbonTest, RefusedPlatformsDeclineWithoutAMessage)
{
    for (const std::int32_t os : {3, 13}) {
        ribbon_addin::exchangeOsProbe([os] { return os; });
        makeHost("16.0");
        EXPECT_FALSE(ribbonRecord->connected()) << os;
        EXPECT_EQ(ribbonRecord->object(), nullptr);
        EXPECT_TRUE(ribbon->GetCustomUI(QString()).isEmpty());
        ribbon.reset();
    }
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(RibbonTest, MarkupHoldsTheSuiteGroupInOrderWithCallbacksTheAddinAnswers)
{
    makeHost("16.0");
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(ribbon->GetCustomUI(QString()).toStdString().c_str()));
    const pugi::xml_node root = doc.document_element();
    EXPECT_STREQ(root.name(), "customUI");
    EXPECT_STREQ(root.attribute("xmlns:torva").value(), "TORVA_PICROW_NameSpace_CustomRibbonxX2");
    EXPECT_STREQ(root.first_child().name(), "commands");
    EXPECT_STREQ(root.child("commands").child("command").attribute("onAction").value(),
                 "Call_PictureInsertFromFile_onAction");
    EXPECT_STREQ(root.child("ribbon").attribute("startFromScratch").value(), "false");

    // Every id in document order with its key tip, under the Add-Ins tab.
    const pugi::xml_node group = root.select_node("//tab[@idMso='TabAddIns']/group").node();
    std::vector<std::string> order;
    for (const pugi::xpath_node& n : group.select_nodes(".//*[@id]"))
        order.push_back(std::string(n.node().attribute("id").value()).substr(17) + ":" +
                        n.node().attribute("keytip").value());
    EXPECT_EQ(order, (std::vector<std::string>{"MAIN_GET:G", "MAIN_TOOL:O", "MAIN_TOOL_SAVEPIC:S",
                                               "MAIN_TOOL_SEP_1:", "MAIN_TOOL_TEMPLATEMENU_LOAD:L",
                                               "MAIN_TOOL_TEMPLATEMENU_SAVE:S",
                                               "MAIN_TOOL_SEP_2:", "MAIN_TOOL_RETRIMMING:R",
                                               "MAIN_TOOL_SEP_3:", "MAIN_TOOL_RESMALL:M",
                                               "MAIN_BOX:", "MAIN_HOMEPAGE:D", "MAIN_HELP:H",
                                               "MAIN_ABOUT:V", "MAIN_SETTING:"}));

    // Every callback the markup names is a member of the published object, and every custom
    // button or menu carries its own id as image, except the launcher's button.
    std::set<std::string> callbacks;
    for (const pugi::xpath_node& n : doc.select_nodes("//*")) {
        for (const pugi::xml_attribute a : n.node().attributes()) {
            const std::string name = a.name();
            if (name == "onAction" || name == "onLoad" || name == "loadImage" ||
                name.rfind("get", 0) == 0)
                callbacks.insert(a.value());
        }
        const pugi::xml_node node = n.node();
        const std::string kind = node.name();
        if ((kind == "button" || kind == "menu") && node.attribute("id") &&
            std::string(node.attribute("id").value()) != "TORVA_PICROW_TAB_MAIN_SETTING") {
            EXPECT_STREQ(node.attribute("image").value(), node.attribute("id").value());
        }
    }
    EXPECT_EQ(callbacks.size(), 8u);
    for (const std::string& name : callbacks)
        EXPECT_TRUE(ribbon_addin::Connect2::members().contains(QString::fromStdString(name)))
            << name;
}

TEST_F(RibbonTest, MarkupThatDoesNotParseIsReportedAndGivesNoCustomisation)
{
    makeHost("16.0");
    ribbon_addin::overrideResource(q("CUSTOMUI2016"), q("XML"), "<customUI><ribbon></customUI>");
    const QString markup = ribbon->GetCustomUI(QString());
    ribbon_addin::overrideResource(q("CUSTOMUI2016"), q("XML"), {});
    EXPECT_TRUE(markup.isEmpty());
    EXPECT_EQ(messages.shown(),
              (std::vector<platform::Message>{titled(q("Err:LoadXML"), MsgIcon::Critical)}));
}

} // namespace

namespace {

TEST_F(RibbonTest, EveryBuiltInNameOfTheMarkupsHasAHostLabelAndControlsAnImage)
{
    makeHost("16.0");
    const xl::CommandBars bars = app.CommandBars();
    for (const char* name : {"CUSTOMUI2007", "CUSTOMUI2016"}) {
        pugi::xml_document doc;
        const QByteArray bytes = ribbon_addin::resourceBytes(q(name), q("XML"));
        ASSERT_TRUE(doc.load_buffer(bytes.constData(), size_t(bytes.size())));
        for (const pugi::xpath_node& n : doc.select_nodes("//*[@idMso]")) {
            const QString idMso = QString::fromUtf8(n.node().attribute("idMso").value());
            SCOPED_TRACE(idMso.toStdString());
            EXPECT_FALSE(bars.GetLabelMso(idMso).isEmpty());
            const std::string kind = n.node().name();
            if (kind != "group" && kind != "tab" && kind != "tabSet") {
                for (const int size : {16, 32})
                    EXPECT_EQ(imageOf(bars.GetImageMso(idMso, size, size)).size(),
                              QSize(size, size));
            }
        }
    }
    EXPECT_EQ(bars.GetLabelMso(q("GroupPictureSize")), q("サイズ"));
    const auto errorOf = [](const std::function<void()>& call) {
        try {
            call();
        } catch (const host::HostError& e) {
            return e.number();
        }
        return 0;
    };
    EXPECT_EQ(errorOf([&] { bars.GetImageMso(q("NoSuchImage"), 32, 32); }), 5);
    EXPECT_EQ(errorOf([&] { bars.GetImageMso(q("Delete"), 0, 32); }), 5);
    EXPECT_EQ(errorOf([&] { bars.GetLabelMso(q("NoSuchGroup")); }), 5);
}

} // namespace
