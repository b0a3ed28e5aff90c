#include "host/automation/dispatch.h"
#include "host/automation/host_error.h"
#include "host/automation/member_table.h"
#include "host/automation/variant.h"

#include <gtest/gtest.h>

using namespace host;

namespace {

int errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const HostError& e) {
        return e.number();
    }
    return 0;
}

TEST(Variant, ConversionsFollowAutomationRules)
{
    EXPECT_EQ(Variant(2.5).toInt16(), 2); // ties to even
    EXPECT_EQ(Variant(3.5).toInt16(), 4);
    EXPECT_EQ(Variant(-2.5).toInt32(), -2);
    EXPECT_EQ(Variant(QStringLiteral(" 12 ")).toInt32(), 12);
    EXPECT_EQ(errorOf([] { (void)Variant(99999.0).toInt16(); }), err::Overflow);
    EXPECT_EQ(errorOf([] { (void)Variant(QStringLiteral("abc")).toDouble(); }), err::TypeMismatch);
    EXPECT_EQ(errorOf([] { (void)Variant(QStringLiteral("yes")).toBool(); }), err::TypeMismatch);
    EXPECT_TRUE(Variant(QStringLiteral("true")).toBool());
    EXPECT_FALSE(Variant(QStringLiteral("0")).toBool());
    EXPECT_EQ(Variant(true).toInt16(), -1);
    EXPECT_EQ(Variant(true).toString(), QStringLiteral("True"));
    EXPECT_EQ(Variant(0.1).toString(), QStringLiteral("0.1"));
    EXPECT_EQ(Variant(1e20).toString(), QStringLiteral("1E+20"));
    EXPECT_EQ(Variant(CurrencyValue{12345}).toString(), QStringLiteral("1.2345"));
    EXPECT_EQ(Variant(1.23456).toCurrency().tenThousandths, 12346);
    EXPECT_EQ(Variant(std::int16_t(7)).typeName(), QStringLiteral("Integer"));
    EXPECT_EQ(Variant(ObjectRef{}).typeName(), QStringLiteral("Nothing"));
    EXPECT_EQ(errorOf([] { (void)Variant::null().toString(); }), 94);
}

TEST(Variant, LeadingNumberReadsLikeVal)
{
    const std::pair<const char*, double> cases[] = {
        {"12.5abc", 12.5}, {"abc", 0},   {"", 0},        {"-25", -25}, {" 1 2 3", 123},
        {"99999", 99999},  {"0.5", 0.5}, {"1e3x", 1000}, {"&H10", 0},  {"+7", 7},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(leadingNumber(QString::fromUtf8(text)), expected) << text;
}

TEST(Variant, DatesRoundTripThroughSerials)
{
    const QDateTime when(QDate(2026, 12, 10), QTime(13, 2, 33));
    const Variant v = Variant::fromDateTime(when);
    EXPECT_EQ(serialToDateTime(v.toDate().serial), when);
    EXPECT_EQ(v.toString(), QStringLiteral("2026/12/10 13:02:33"));
    EXPECT_EQ(Variant(DateValue{46000}).toString(), QStringLiteral("2025/12/09"));
    EXPECT_EQ(Variant(DateValue{0.5}).toString(), QStringLiteral("12:00:00"));
    // The zero date is a time alone: midnight.
    EXPECT_EQ(Variant(DateValue{0}).toString(), QStringLiteral("0:00:00"));
}

class Probe : public TableDispatch<Probe>
{
public:
    QString className() const override { return QStringLiteral("Probe"); }
    static const MemberTable<Probe>& members()
    {
        static const MemberTable<Probe> table = [] {
            MemberTable<Probe> t;
            t.prop(
                QStringLiteral("Caption"), [](Probe& p) { return Variant(p.caption); },
                [](Probe& p, const Variant& v) { p.caption = v.toString(); });
            t.prop(QStringLiteral("Version"),
                   [](Probe&) { return Variant(QStringLiteral("16.0")); });
            t.member(QStringLiteral("Copy"), {QStringLiteral("Before"), QStringLiteral("After")}, 0,
                     [](Probe& p, const BoundArgs& a) {
                         p.lastCopy =
                             a.has(0) ? QStringLiteral("before:") + a.at(0).toString()
                                      : QStringLiteral("after:") + a.value(1, Variant()).toString();
                         return Variant();
                     });
            t.member(QStringLiteral("Item"), {QStringLiteral("Index")}, 1,
                     [](Probe&, const BoundArgs& a) { return Variant(a.at(0).toInt32() * 2); });
            t.defaultMember(QStringLiteral("Item"));
            return t;
        }();
        return table;
    }
    QString caption;
    QString lastCopy;
};

TEST(Dispatch, MembersAreFoundByNameWithoutRegardToCase)
{
    auto p = std::make_shared<Probe>();
    p->let(QStringLiteral("CAPTION"), QStringLiteral("Book1 - Excel"));
    EXPECT_EQ(p->get(QStringLiteral("caption")).toString(), QStringLiteral("Book1 - Excel"));

    p->call(QStringLiteral("copy"), Args().add(QStringLiteral("after"), QStringLiteral("Sheet2")));
    EXPECT_EQ(p->lastCopy, QStringLiteral("after:Sheet2"));
    p->call(QStringLiteral("Copy"), Args{QStringLiteral("Sheet1")});
    EXPECT_EQ(p->lastCopy, QStringLiteral("before:Sheet1"));
    EXPECT_EQ(p->get(QString(), Args{3}).toInt32(), 6);
}

TEST(Dispatch, CallErrorsAreHostErrors)
{
    auto p = std::make_shared<Probe>();
    struct Case
    {
        std::function<void()> call;
        int error;
    } cases[] = {
        {[&] { p->get(QStringLiteral("NoSuchMember")); }, err::NotSupported},
        {[&] { p->let(QStringLiteral("Version"), QStringLiteral("9.0")); }, err::NotSupported},
        {[&] {
             p->call(QStringLiteral("Copy"), Args{1, 2, 3});
         },
         err::WrongArgCount},
        {[&] { p->call(QStringLiteral("Copy"), Args().add(QStringLiteral("Where"), 1)); },
         err::NamedNotFound},
        {[&] { p->get(QStringLiteral("Item")); }, err::NotOptional},
        {[&] { p->get(QStringLiteral("Item"), Args{QStringLiteral("x")}); }, err::TypeMismatch},
        {[&] { p->enumerate(); }, err::NotSupported},
        {[] { deref(nullptr); }, err::ObjectNotSet},
    };
    for (const Case& c : cases)
        EXPECT_EQ(errorOf(c.call), c.error);

    try {
        p->get(QStringLiteral("Nope"));
        FAIL();
    } catch (const HostError& e) {
        EXPECT_EQ(e.report(),
                  QStringLiteral("(err:438) Object doesn't support this property or method"));
    }
}

} // namespace
