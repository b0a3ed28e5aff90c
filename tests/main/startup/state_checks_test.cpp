#include "main/startup/state_checks.h"

#include "host/automation/host_error.h"
#include "host/xl/range.h"
#include "host/xl/worksheet.h"
#include "main/startup/startup_context.h"
#include "platform/message_box.h"
#include "tests/main/startup/host_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

using namespace picrows;

namespace {

// The switch sets the commands use.
struct Switches
{
    bool s[9];
    bool run() const
    {
        return f_CheckAndMessageOfExcelStates(s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7], s[8]);
    }
};
constexpr Switches kGet{{1, 1, 1, 1, 1, 1, 0, 0, 0}};
constexpr Switches kSelectedMode{{1, 1, 1, 1, 1, 1, 0, 1, 1}};
constexpr Switches kExcelMode{{1, 1, 1, 1, 1, 0, 0, 0, 0}};
constexpr Switches kReTrimming{{1, 1, 1, 1, 1, 0, 1, 0, 0}};
constexpr Switches kTemplateOpen{{0, 0, 1, 1, 0, 0, 0, 0, 0}};
constexpr Switches kNone{{0, 0, 0, 0, 0, 0, 0, 0, 0}};

platform::Message error(const char* text)
{
    return {QString::fromUtf8(text), platform::MsgButtons::OK, platform::MsgIcon::Critical,
            QStringLiteral("ピクロウアドイン")};
}

class StateChecks : public ::testing::Test
{
protected:
    void SetUp() override { startupContext().clear(); }
    void TearDown() override { startupContext().clear(); }

    void attach(TestHost& h) { startupContext().gobjXlApp = xl::Application(h.host.application()); }

    // Runs the switches and answers the message shown, none when the check passed.
    std::optional<platform::Message> check(const Switches& switches)
    {
        platform::ScriptedMessages messages;
        platform::ScopedMessageService scope(messages);
        const bool passed = switches.run();
        EXPECT_EQ(passed, messages.shown().empty());
        EXPECT_LE(messages.shown().size(), 1u);
        if (messages.shown().empty())
            return std::nullopt;
        return messages.shown().front();
    }
};

TEST_F(StateChecks, WithoutAHostEveryCallFailsWithTheUnknownError)
{
    EXPECT_EQ(check(kNone), error("不明なエラー"));
    EXPECT_EQ(check(kGet), error("不明なエラー"));
}

TEST_F(StateChecks, TheFirstFailingTestInTableOrderSpeaks)
{
    using Setup = std::function<void(TestHost&)>;
    struct Case
    {
        const char* name;
        Setup setup;
        Switches switches;
        std::optional<platform::Message> expected;
    };
    const Case cases[] = {
        {"a book with cells selected passes the dialog's set", [](TestHost&) {}, kGet,
         std::nullopt},
        {"no book", [](TestHost&) {}, kGet, error("ブックを開いてやり直してください。")},
        {"minimised window", [](TestHost& h) { h.lastModel().windowMinimized = true; }, kGet,
         error("アクティブウインドウが最小化されているため起動できません。")},
        {"editing and grouped: editing speaks first",
         [](TestHost& h) {
             h.host.options().cellEditing = true;
             h.lastModel().sheets[1]->view.tabSelected = true;
         },
         kGet, error("編集状態のため起動できません。")},
        {"grouped sheets", [](TestHost& h) { h.lastModel().sheets[1]->view.tabSelected = true; },
         kGet, error("串刺し状態では実行できません。")},
        {"template open does not mind a minimised window",
         [](TestHost& h) { h.lastModel().windowMinimized = true; }, kTemplateOpen, std::nullopt},
        {"drawing objects protected",
         [](TestHost& h) {
             h.lastModel().sheets[0]->protection.sheet = true;
             h.lastModel().sheets[0]->protection.objects = true;
         },
         kGet, error("描画オブジェクトが保護されている状態では実行できません。")},
        {"contents protected: the host-standard runner passes",
         [](TestHost& h) { h.lastModel().sheets[0]->protection.sheet = true; }, kExcelMode,
         std::nullopt},
        {"contents protected: the dialog's set fails",
         [](TestHost& h) { h.lastModel().sheets[0]->protection.sheet = true; }, kGet,
         error("シートの内容が保護されている状態では実行できません。")},
        {"cells selected where a picture is needed", [](TestHost&) {}, kReTrimming,
         error("画像が選択されていない状態では実行できません。")},
        {"cells selected where cells are needed", [](TestHost&) {}, kSelectedMode, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestHost h({}, 100);
        if (std::string_view(c.name) != "no book")
            h.openBook(QStringLiteral("/books/a.xlsx"), 2);
        c.setup(h);
        attach(h);
        EXPECT_EQ(check(c.switches), c.expected);
    }
}

// A host that answers no question at all.
class Mute : public host::Dispatch
{
public:
    QString className() const override { return QStringLiteral("Application"); }
    host::Variant invoke(const QString&, host::CallKind, const host::Args&) override
    {
        ++questions;
        host::raise(host::err::ApplicationDefined);
    }
    int questions = 0;
};

TEST_F(StateChecks, AllSwitchesOffAnswerTrueWithoutAskingTheHost)
{
    auto mute = std::make_shared<Mute>();
    startupContext().gobjXlApp = xl::Application(host::ObjectRef(mute));
    EXPECT_EQ(check(kNone), std::nullopt);
    EXPECT_EQ(mute->questions, 0);
}

// An Application whose selection is an object (a picture) until a cell range gets selected;
// everything else is the real host's.
class ObjectSelected : public host::Dispatch
{
public:
    explicit ObjectSelected(host::ObjectRef real) : m_real(std::move(real)) {}
    QString className() const override { return QStringLiteral("Application"); }
    host::Variant invoke(const QString& member, host::CallKind kind,
                         const host::Args& args) override
    {
        if (member.compare(QStringLiteral("EnableEvents"), Qt::CaseInsensitive) == 0 &&
            kind == host::CallKind::Let)
            eventsLog.push_back(args.positional.back().toBool());
        if (member.compare(QStringLiteral("Selection"), Qt::CaseInsensitive) == 0 &&
            objectSelected) {
            if (repairable && selectionChangedInHost())
                objectSelected = false;
            else
                return host::Variant(m_picture);
        }
        return m_real->invoke(member, kind, args);
    }

    bool selectionChangedInHost()
    {
        const auto sel = xl::Range(m_real->get(QStringLiteral("Selection")));
        return sel.Address() != initialAddress;
    }

    bool objectSelected = true;
    bool repairable = true; // false: the selection cannot become cells (a chart sheet)
    QString initialAddress;
    std::vector<bool> eventsLog;

private:
    class Picture : public host::Dispatch
    {
    public:
        QString className() const override { return QStringLiteral("Picture"); }
        host::Variant invoke(const QString&, host::CallKind, const host::Args&) override
        {
            host::raise(host::err::NotSupported);
        }
    };
    host::ObjectRef m_real;
    host::ObjectRef m_picture = std::make_shared<Picture>();
};

TEST_F(StateChecks, AnObjectSelectionIsRepairedWithoutSelectionEvents)
{
    TestHost h({}, 100);
    h.openBook(QStringLiteral("/books/a.xlsx"));
    auto& sheet = *h.lastModel().sheets[0];
    sheet.editCell(1, 1).kind = host::model::CellKind::Number;
    sheet.editCell(2, 2).kind = host::model::CellKind::Number;
    const xl::Application real(h.host.application());
    real.Range(QStringLiteral("D5")).Select();
    int events = 0;
    real.onSheetSelectionChange([&](xl::Worksheet, xl::Range) { ++events; });

    auto app = std::make_shared<ObjectSelected>(h.host.application());
    app->initialAddress = QStringLiteral("$D$5");
    startupContext().gobjXlApp = xl::Application(host::ObjectRef(app));

    EXPECT_EQ(check(kReTrimming), std::nullopt); // a picture is what re-trimming needs
    EXPECT_EQ(check({{1, 1, 1, 1, 1, 1, 0, 1, 0}}),
              error("セルが選択されていない状態では実行できません。")); // no repair asked
    EXPECT_TRUE(app->eventsLog.empty());

    EXPECT_EQ(check(kSelectedMode), std::nullopt); // repaired, then passes
    EXPECT_EQ(app->eventsLog, (std::vector<bool>{false, true}));
    EXPECT_TRUE(real.EnableEvents());
    EXPECT_EQ(events, 0);
    EXPECT_NE(xl::Range(real.Selection().ref()).Address(), QStringLiteral("$D$5"));

    // A selection that stays an object after the repair fails with the cells message.
    auto stuck = std::make_shared<ObjectSelected>(h.host.application());
    stuck->repairable = false;
    startupContext().gobjXlApp = xl::Application(host::ObjectRef(stuck));
    EXPECT_EQ(check(kSelectedMode), error("セルが選択されていない状態では実行できません。"));
}

TEST_F(StateChecks, AChartSheetStaysWithoutCellsAfterTheRepair)
{
    TestHost h({}, 100);
    h.openBook(QStringLiteral("/books/chart.xlsx"), 2);
    h.lastModel().sheets[0]->kind = host::model::SheetKind::Chartsheet;
    attach(h);
    ASSERT_EQ(startupContext().gobjXlApp.Selection().TypeName(), QStringLiteral("ChartArea"));
    EXPECT_EQ(check(kSelectedMode), error("セルが選択されていない状態では実行できません。"));
    EXPECT_TRUE(startupContext().gobjXlApp.EnableEvents()); // put back after the failed repair
    EXPECT_EQ(check(kReTrimming), std::nullopt);            // not cells, so the picture test passes
}

// An Application of which one member fails.
class OneMemberFails : public host::Dispatch
{
public:
    OneMemberFails(host::ObjectRef real, QString member)
        : m_real(std::move(real)), m_member(std::move(member))
    {
    }
    QString className() const override { return QStringLiteral("Application"); }
    host::Variant invoke(const QString& member, host::CallKind kind,
                         const host::Args& args) override
    {
        if (member.compare(m_member, Qt::CaseInsensitive) == 0)
            host::raise(host::err::ApplicationDefined);
        return m_real->invoke(member, kind, args);
    }

private:
    host::ObjectRef m_real;
    QString m_member;
};

TEST_F(StateChecks, HostErrorsOutsideTheRepairReachTheCaller)
{
    TestHost h({}, 100);
    h.openBook(QStringLiteral("/books/b.xlsx"));
    startupContext().gobjXlApp = xl::Application(host::ObjectRef(
        std::make_shared<OneMemberFails>(h.host.application(), QStringLiteral("ActiveWindow"))));
    platform::ScriptedMessages messages;
    platform::ScopedMessageService scope(messages);
    EXPECT_THROW(kGet.run(), host::HostError);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_TRUE(kNone.run());
}

} // namespace
