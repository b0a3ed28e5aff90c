#include "tests/host/remote/test_objects.h"

#include <QThread>
#include <QTimer>

namespace remote_test {

using host::BoundArgs;
using host::Variant;

std::atomic<int> TestChild::s_alive{0};

TestChild::TestChild(QString name) : m_name(std::move(name))
{
    ++s_alive;
}

TestChild::~TestChild()
{
    --s_alive;
}

const host::MemberTable<TestChild>& TestChild::members()
{
    static const host::MemberTable<TestChild> table = [] {
        host::MemberTable<TestChild> t;
        t.prop(QStringLiteral("Name"), [](TestChild& c) { return Variant(c.m_name); });
        return t;
    }();
    return table;
}

std::vector<Variant> TestItems::enumerate()
{
    std::vector<Variant> items;
    for (const host::ObjectRef& item : m_items)
        items.emplace_back(item);
    return items;
}

const host::MemberTable<TestItems>& TestItems::members()
{
    static const host::MemberTable<TestItems> table = [] {
        host::MemberTable<TestItems> t;
        t.prop(QStringLiteral("Count"),
               [](TestItems& i) { return Variant(std::int32_t(i.m_items.size())); });
        return t;
    }();
    return table;
}

TestRoot::TestRoot() = default;

const host::MemberTable<TestRoot>& TestRoot::members()
{
    static const host::MemberTable<TestRoot> table = [] {
        using R = TestRoot;
        host::MemberTable<R> t;
        const QString value = QStringLiteral("Value");
        t.member(QStringLiteral("Echo"), {value}, 0,
                 [](R&, const BoundArgs& args) { return args.value(0, Variant::missing()); });
        // The named arguments as the callee bound them.
        t.member(
            QStringLiteral("Pair"), {QStringLiteral("First"), QStringLiteral("Second")}, 0,
            [](R&, const BoundArgs& args) {
                host::VariantArray pair;
                pair.rows = 2;
                pair.items = {args.value(0, Variant::missing()), args.value(1, Variant::missing())};
                return Variant(std::move(pair));
            });
        t.member(QStringLiteral("Raise"), {QStringLiteral("Number"), QStringLiteral("Text")}, 2,
                 [](R&, const BoundArgs& args) -> Variant {
                     host::raise(args.at(0).toInt32(), args.at(1).toString());
                 });
        // Doubles its by-reference argument, as a bridge method sets its Cancel flag.
        t.member(QStringLiteral("Twice"), {QStringLiteral("Number")}, 1,
                 [](R&, const BoundArgs& args) {
                     args.writeBack(0, Variant(args.at(0).toDouble() * 2));
                     return Variant(QStringLiteral("done"));
                 });
        t.member(QStringLiteral("Child"), {QStringLiteral("Name")}, 1,
                 [](R& r, const BoundArgs& args) {
                     const QString name = args.at(0).toString();
                     host::ObjectRef& child = r.m_children[name];
                     if (!child)
                         child = std::make_shared<TestChild>(name);
                     return Variant(child);
                 });
        // A new child each time, kept by nobody but the caller.
        t.member(
            QStringLiteral("NewChild"), {QStringLiteral("Name")}, 1, [](R&, const BoundArgs& args) {
                return Variant(host::ObjectRef(std::make_shared<TestChild>(args.at(0).toString())));
            });
        t.prop(QStringLiteral("LiveChildren"),
               [](R&) { return Variant(std::int32_t(TestChild::alive())); });
        t.prop(QStringLiteral("Items"), [](R&) {
            std::vector<host::ObjectRef> items;
            for (const char* name : {"one", "two", "three"})
                items.push_back(std::make_shared<TestChild>(QString::fromLatin1(name)));
            return Variant(host::ObjectRef(std::make_shared<TestItems>(std::move(items))));
        });
        t.member(
            QStringLiteral("Fire"), {QStringLiteral("Name")}, 1, [](R& r, const BoundArgs& args) {
                r.m_events.fire(args.at(0).toString(), {args.at(0), Variant(r.shared_from_this())});
                return Variant();
            });
        // "Tick" events with their number, from the event loop, after the call has returned.
        t.member(QStringLiteral("FireLater"), {QStringLiteral("Count"), QStringLiteral("Every")}, 2,
                 [](R& r, const BoundArgs& args) {
                     const int count = args.at(0).toInt32();
                     const int every = args.at(1).toInt32();
                     const std::weak_ptr<host::Dispatch> self = r.shared_from_this();
                     for (int i = 1; i <= count; ++i)
                         QTimer::singleShot(every * i, [self, i] {
                             if (const auto root = std::static_pointer_cast<R>(self.lock()))
                                 root->m_events.fire(QStringLiteral("Tick"),
                                                     {Variant(std::int32_t(i))});
                         });
                     return Variant();
                 });
        // Events as fast as the host can raise them; answers how many were raised.
        t.member(QStringLiteral("Flood"), {QStringLiteral("Count")}, 1,
                 [](R& r, const BoundArgs& args) {
                     const int count = args.at(0).toInt32();
                     const QString payload(200, QLatin1Char('x'));
                     for (int i = 0; i < count; ++i)
                         r.m_events.fire(QStringLiteral("Flood"), {Variant(payload)});
                     return Variant(std::int32_t(count));
                 });
        t.prop(QStringLiteral("HasSinks"), [](R& r) { return Variant(r.m_events.hasSinks()); });
        t.member(QStringLiteral("Sleep"), {QStringLiteral("Milliseconds")}, 1,
                 [](R&, const BoundArgs& args) {
                     QThread::msleep(std::uint32_t(args.at(0).toInt32()));
                     return Variant(true);
                 });
        t.prop(QStringLiteral("Clients"),
               [](R& r) { return Variant(std::int32_t(r.clients ? r.clients() : -1)); });
        t.prop(
            QStringLiteral("ScreenUpdating"), [](R& r) { return Variant(r.m_screenUpdating); },
            [](R& r, const Variant& v) { r.m_screenUpdating = v.toBool(); });
        t.prop(
            QStringLiteral("EnableEvents"), [](R& r) { return Variant(r.m_enableEvents); },
            [](R& r, const Variant& v) { r.m_enableEvents = v.toBool(); });
        t.prop(
            QStringLiteral("Interactive"), [](R& r) { return Variant(r.m_interactive); },
            [](R& r, const Variant& v) { r.m_interactive = v.toBool(); });
        t.prop(
            QStringLiteral("DisplayAlerts"), [](R& r) { return Variant(r.m_displayAlerts); },
            [](R& r, const Variant& v) { r.m_displayAlerts = v.toBool(); });
        t.prop(
            QStringLiteral("Cursor"), [](R& r) { return Variant(r.m_cursor); },
            [](R& r, const Variant& v) { r.m_cursor = v.toInt32(); });
        t.prop(
            QStringLiteral("CutCopyMode"),
            [](R& r) {
                return r.m_cutCopyMode ? Variant(std::int32_t(r.m_cutCopyMode)) : Variant(false);
            },
            [](R& r, const Variant&) { r.m_cutCopyMode = 0; });
        t.member(QStringLiteral("Copy"), {}, 0, [](R& r, const BoundArgs&) {
            r.m_cutCopyMode = 1;
            return Variant();
        });
        return t;
    }();
    return table;
}

} // namespace remote_test
