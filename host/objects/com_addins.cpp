#include "host/objects/com_addins.h"

#include "host/objects/application.h"
#include "host/objects/disconnected.h"

namespace host::objects {

const MemberTable<ComAddIn>& ComAddIn::members()
{
    static const MemberTable<ComAddIn> table = [] {
        MemberTable<ComAddIn> t;
        t.prop(QStringLiteral("ProgId"), [](ComAddIn& a) { return Variant(a.m_progId); });
        t.prop(QStringLiteral("Description"), [](ComAddIn& a) { return Variant(a.m_description); });
        t.prop(
            QStringLiteral("Connect"), [](ComAddIn& a) { return Variant(a.m_connected); },
            [](ComAddIn& a, const Variant& v) { a.assignConnect(v.toBool()); });
        t.prop(
            QStringLiteral("Object"),
            [](ComAddIn& a) { return Variant(a.m_connected ? a.m_object : ObjectRef()); },
            [](ComAddIn& a, const Variant& v) { a.m_object = v.toObject(); });
        return t;
    }();
    return table;
}

void ComAddIn::assignConnect(bool connect)
{
    if (m_connecting || !m_onConnect || connect == m_connected) {
        m_connected = connect;
        return;
    }
    // The handler may run the add-in's own code, which may drop the last other reference.
    const auto keep = shared_from_this();
    m_onConnect(*this, connect);
}

std::shared_ptr<ComAddIn> ComAddIns::registerAddIn(const QString& progId,
                                                   const QString& description, ObjectRef object,
                                                   bool connected)
{
    std::erase_if(m_addIns, [&](const auto& a) {
        return a->progId().compare(progId, Qt::CaseInsensitive) == 0;
    });
    auto addIn = std::make_shared<ComAddIn>(progId, description, std::move(object), connected);
    m_addIns.push_back(addIn);
    return addIn;
}

void ComAddIns::detach()
{
    m_addIns.clear();
    m_app = nullptr;
}

std::vector<Variant> ComAddIns::enumerate()
{
    std::vector<Variant> out;
    for (const auto& a : m_addIns)
        out.emplace_back(ObjectRef(a));
    return out;
}

ObjectRef ComAddIns::item(const Variant& index) const
{
    if (!m_app)
        raiseDisconnected();
    if (index.type() == VarType::String) {
        for (const auto& a : m_addIns)
            if (a->progId().compare(index.toString(), Qt::CaseInsensitive) == 0)
                return a;
        raise(err::OutOfRange);
    }
    const std::int32_t i = index.toInt32();
    if (i < 1 || size_t(i) > m_addIns.size())
        raise(err::OutOfRange);
    return m_addIns[size_t(i - 1)];
}

const MemberTable<ComAddIns>& ComAddIns::members()
{
    static const MemberTable<ComAddIns> table = [] {
        MemberTable<ComAddIns> t;
        t.prop(QStringLiteral("Count"), [](ComAddIns& c) {
            if (!c.m_app)
                raiseDisconnected();
            return Variant(std::int32_t(c.m_addIns.size()));
        });
        t.member(QStringLiteral("Item"), {QStringLiteral("Index")}, 1,
                 [](ComAddIns& c, const BoundArgs& args) { return Variant(c.item(args.at(0))); });
        t.defaultMember(QStringLiteral("Item"));
        return t;
    }();
    return table;
}

} // namespace host::objects
