// The host window's ribbon with the add-ins' markup: labels, tips and images from the
// callbacks, presses reaching the bridge, the picture Format tab and its Size groups, refusal
// of markup that does not parse, unknown elements, and invalidation.
#include "tests/ribbon_addin/ribbon_fixture.h"

#include "host/objects/mso_images.h"
#include "host_app/model_signals.h"
#include "host_app/ribbon/ribbon_widget.h"
#include "ribbon_addin/resources.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTabWidget>
#include <QToolButton>

using namespace ribbon_test;
using platform::Message;
using platform::MsgIcon;

namespace {

QStringList tabTitles(const QTabWidget& tabs)
{
    QStringList out;
    for (int i = 0; i < tabs.count(); ++i)
        out << tabs.tabText(i);
    return out;
}

class RibbonWidgetTest : public RibbonTest
{
protected:
    void build(const char* version = "16.0")
    {
        makeHost(version);
        openBook();
        signals = std::make_unique<host_app::ModelSignals>(host->app());
        widget = std::make_unique<host_app::RibbonWidget>(host->app(), *signals);
        ASSERT_TRUE(widget->addCustomUI(q("TORVA_PicrowsFor2007.Connect2"), ribbonRecord->object(),
                                        ribbon->GetCustomUI(QString())));
        widget->flush();
    }
    QString full(const char* shortId) const
    {
        return QLatin1String(kPrefix) + QLatin1String(shortId);
    }
    void selectPicture()
    {
        const QString file = dir.filePath(q("p.png"));
        QImage(8, 8, QImage::Format_RGB32).save(file);
        const xl::Object pictures(app.ActiveSheet().get(q("Pictures")));
        xl::Object(pictures.call(q("Insert"), {host::Variant(file)})).call(q("Select"));
        widget->flush();
    }

    std::unique_ptr<host_app::ModelSignals> signals;
    std::unique_ptr<host_app::RibbonWidget> widget;
};

TEST_F(RibbonWidgetTest, SuiteGroupShowsTheAddinsTextsAndImagesAndPressesReachTheBridge)
{
    build();
    EXPECT_EQ(tabTitles(widget->tabs()), (QStringList{q("ホーム"), q("挿入"), q("アドイン")}));
    QToolButton* get = widget->buttonFor(full("MAIN_GET"));
    ASSERT_NE(get, nullptr);
    EXPECT_EQ(get->text(), q("ピクロウ"));
    EXPECT_EQ(get->toolTip(),
              q("<b>ピクロウ</b><br>図（画像ファイル）を連続して読み込むことができます。"));
    EXPECT_EQ(get->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_EQ(get->icon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32),
              host::objects::builtInImage(q("PhotoAlbumInsert"), 32, 32));
    QAction* savePic = widget->menuItemFor(full("MAIN_TOOL_SAVEPIC"));
    ASSERT_NE(savePic, nullptr);
    EXPECT_EQ(savePic->text(), q("画像として保存"));
    const QImage png =
        QImage::fromData(ribbon_addin::resourceBytes(q("PNG_ICON_SAVEPIC"), q("PNG")))
            .convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(savePic->icon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32), png);
    QWidget* group = widget->groupFor(full("MAIN"));
    ASSERT_NE(group, nullptr);
    EXPECT_TRUE(group->findChild<QLabel*>() &&
                group->findChild<QLabel*>()->text() == q("ピクロウアドイン"));

    get->click();
    savePic->trigger();
    widget->buttonFor(full("MAIN_SETTING"))->click();
    EXPECT_EQ(words, (std::vector<QString>{q("get"), q("savepic"), q("setting")}));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(RibbonWidgetTest, FormatTabComesWithAPictureAndItsSizeGroupFollowsTheSetting)
{
    build();
    EXPECT_FALSE(tabTitles(widget->tabs()).contains(q("書式")));
    selectPicture();
    EXPECT_TRUE(tabTitles(widget->tabs()).contains(q("書式")));
    QWidget* own = widget->groupFor(q("GroupPictureSize"));
    QWidget* copy = widget->groupFor(full("PICTURETOOLSFORMAT_GROUPPICTURESIZE"));
    ASSERT_TRUE(own && copy);
    EXPECT_TRUE(own->isHidden());
    EXPECT_FALSE(copy->isHidden());
    // The copy carries the host's crop control, enabled with one picture selected, the
    // re-trimming button and the size edits.
    auto* crop = copy->findChild<QToolButton*>(q("PictureCropTools"));
    ASSERT_NE(crop, nullptr);
    EXPECT_TRUE(crop->isEnabled());
    EXPECT_NE(copy->findChild<QWidget*>(q("ShapeHeight")), nullptr);
    widget->buttonFor(full("MAIN_TOOL_RETRIMMING_2"))->click();
    EXPECT_EQ(words, std::vector<QString>{q("retrimming")});

    setSetting("ReTrimmingAdd", "False");
    ribbon->CallForExe_Refresh_RetrimmingCmd();
    widget->flush();
    EXPECT_FALSE(own->isHidden());
    EXPECT_TRUE(copy->isHidden());
}

TEST_F(RibbonWidgetTest, MarkupThatDoesNotParseIsRefusedWithTheHostsReport)
{
    build();
    messages.clear();
    EXPECT_FALSE(widget->addCustomUI(q("Other.Addin"), ribbonRecord->object(),
                                     q("<customUI>\n<ribbon></customUI>")));
    EXPECT_EQ(
        messages.shown(),
        (std::vector<Message>{{q("アドイン Other.Addin のリボンのマークアップを読み込めません。\r\n"
                                 "Start-end tags mismatch (line 2)"),
                               platform::MsgButtons::OK, MsgIcon::Critical, app.Caption()}}));
    EXPECT_EQ(tabTitles(widget->tabs()), (QStringList{q("ホーム"), q("挿入"), q("アドイン")}));
}

// An add-in of the test's own: a tab with a gallery the ribbon does not know and a button whose
// label follows a text the test changes, shown again after Invalidate.
class CountingAddin : public host::TableDispatch<CountingAddin>
{
public:
    static const host::MemberTable<CountingAddin>& members()
    {
        static const host::MemberTable<CountingAddin> table = [] {
            host::MemberTable<CountingAddin> t;
            t.member(q("OnLoad"), {q("ribbon")}, 1,
                     [](CountingAddin& a, const host::BoundArgs& args) {
                         a.ribbon = args.at(0).toObject();
                         return host::Variant();
                     });
            t.member(q("Label"), {q("control")}, 1, [](CountingAddin& a, const host::BoundArgs&) {
                return host::Variant(a.label);
            });
            return t;
        }();
        return table;
    }
    QString className() const override { return q("Test"); }
    host::ObjectRef ribbon;
    QString label = q("one");
};

TEST_F(RibbonWidgetTest, UnknownElementsAreReportedAndSkippedAndInvalidateReadsLabelsAgain)
{
    build();
    messages.clear();
    auto addin = std::make_shared<CountingAddin>();
    ASSERT_TRUE(widget->addCustomUI(
        q("Test.Addin"), addin,
        q("<customUI onLoad=\"OnLoad\"><ribbon><tabs><tab id=\"T\" label=\"テスト\">\n"
          "<group id=\"G\" label=\"g\"><gallery id=\"x\"><item id=\"i\"/></gallery>\n"
          "<button id=\"B\" getLabel=\"Label\"/></group></tab></tabs></ribbon></customUI>")));
    EXPECT_EQ(messages.shown(),
              (std::vector<Message>{
                  {q("アドイン Test.Addin のリボンのマークアップに不明な要素があります。"
                     "無視します。\r\ngallery (line 2)"),
                   platform::MsgButtons::OK, MsgIcon::Critical, app.Caption()}}));
    EXPECT_TRUE(tabTitles(widget->tabs()).contains(q("テスト")));
    QToolButton* button = widget->buttonFor(q("B"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(widget->buttonFor(q("x")), nullptr);
    EXPECT_EQ(button->text(), q("one"));

    addin->label = q("two");
    ASSERT_TRUE(addin->ribbon);
    host::deref(addin->ribbon).call(q("InvalidateControl"), {host::Variant(q("B"))});
    widget->flush();
    EXPECT_EQ(button->text(), q("two"));
    addin->label = q("three");
    host::deref(addin->ribbon).call(q("Invalidate"));
    widget->flush();
    EXPECT_EQ(button->text(), q("three"));

    // The ribbon gone, its object refuses.
    widget.reset();
    EXPECT_THROW(host::deref(addin->ribbon).call(q("Invalidate")), host::HostError);
}

TEST_F(RibbonWidgetTest, AltAndKeyTipsChooseTheTabAndPressTheButton)
{
    build();
    widget->show();
    QKeyEvent altX(QEvent::KeyPress, Qt::Key_X, Qt::AltModifier, q("x"));
    QKeyEvent g(QEvent::KeyPress, Qt::Key_G, Qt::NoModifier, q("g"));
    QApplication::sendEvent(widget.get(), &altX);
    EXPECT_EQ(widget->tabs().tabText(widget->tabs().currentIndex()), q("アドイン"));
    QApplication::sendEvent(widget.get(), &g);
    EXPECT_EQ(words, std::vector<QString>{q("get")});
    // Without Alt first, a letter is the cell's, not the ribbon's.
    QKeyEvent again(QEvent::KeyPress, Qt::Key_G, Qt::NoModifier, q("g"));
    QApplication::sendEvent(widget.get(), &again);
    EXPECT_EQ(words.size(), 1u);
}

} // namespace
