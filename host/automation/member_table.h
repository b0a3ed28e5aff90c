#pragma once

#include "host/automation/dispatch.h"
#include "host/automation/host_error.h"

#include <QHash>
#include <QStringList>

#include <functional>

namespace host {

// Arguments bound to a member's parameter list: one slot per declared parameter, holding
// Missing where the caller gave nothing.
class BoundArgs
{
public:
    explicit BoundArgs(std::vector<Variant> values, const Args* call = nullptr)
        : m_values(std::move(values)), m_call(call)
    {
    }

    int size() const { return int(m_values.size()); }
    bool has(int index) const { return index < size() && !m_values[index].isMissing(); }
    const Variant& at(int index) const;
    // The argument, or `fallback` when it was left out.
    Variant value(int index, const Variant& fallback) const { return has(index) ? at(index) : fallback; }
    // Writes a new value back into the caller's variable when parameter `index` was passed
    // positionally by reference; otherwise the value is dropped.
    void writeBack(int index, const Variant& value) const
    {
        if (m_call && index >= 0)
            m_call->writeBack(std::size_t(index), value);
    }

private:
    std::vector<Variant> m_values;
    const Args* m_call;
};

// The members of one object class, looked up by name without regard to letter case.
// Readers serve property gets and method calls alike; writers serve Let and Set and receive
// the assigned value separately.
template <class T>
class MemberTable
{
public:
    using Reader = std::function<Variant(T&, const BoundArgs&)>;
    using Writer = std::function<void(T&, const BoundArgs&, const Variant&)>;

    // A property without parameters.
    MemberTable& prop(const QString& name, std::function<Variant(T&)> get,
                      std::function<void(T&, const Variant&)> set = {})
    {
        Entry& e = entry(name);
        e.required = 0;
        e.reader = [get](T& self, const BoundArgs&) { return get(self); };
        if (set)
            e.writer = [set](T& self, const BoundArgs&, const Variant& v) { set(self, v); };
        return *this;
    }

    // A member with parameters; the first `required` of them must be given.
    MemberTable& member(const QString& name, QStringList params, int required, Reader read,
                        Writer write = {})
    {
        Entry& e = entry(name);
        e.params = std::move(params);
        e.required = required;
        e.reader = std::move(read);
        e.writer = std::move(write);
        return *this;
    }

    // The member that an empty name or a call on the object itself reaches.
    MemberTable& defaultMember(const QString& name)
    {
        m_default = name.toLower();
        return *this;
    }

    bool contains(const QString& name) const { return m_entries.contains(name.toLower()); }

    Variant invoke(T& self, const QString& name, CallKind kind, const Args& args) const
    {
        const QString key = name.isEmpty() ? m_default : name.toLower();
        const auto it = m_entries.constFind(key);
        if (it == m_entries.cend())
            raise(err::NotSupported);
        const Entry& e = *it;
        if (kind == CallKind::Let || kind == CallKind::Set) {
            if (!e.writer)
                raise(err::NotSupported);
            if (args.positional.empty())
                raise(err::WrongArgCount);
            Args rest = args;
            const Variant value = rest.positional.back();
            rest.positional.pop_back();
            e.writer(self, bind(e, rest), value);
            return {};
        }
        if (!e.reader)
            raise(err::NotSupported);
        return e.reader(self, bind(e, args));
    }

private:
    struct Entry
    {
        QStringList params;
        int required = 0;
        Reader reader;
        Writer writer;
    };

    Entry& entry(const QString& name) { return m_entries[name.toLower()]; }

    static BoundArgs bind(const Entry& e, const Args& args)
    {
        if (args.positional.size() > size_t(e.params.size()))
            raise(err::WrongArgCount);
        std::vector<Variant> values(e.params.size(), Variant::missing());
        for (size_t i = 0; i < args.positional.size(); ++i)
            values[i] = args.positional[i];
        for (const auto& named : args.named) {
            // Not a structured binding: clang before 16 cannot capture one in a lambda.
            const QString& argName = named.first;
            const Variant& value = named.second;
            const auto found = std::find_if(e.params.cbegin(), e.params.cend(), [&](const QString& p) {
                return p.compare(argName, Qt::CaseInsensitive) == 0;
            });
            if (found == e.params.cend())
                raise(err::NamedNotFound);
            values[size_t(found - e.params.cbegin())] = value;
        }
        for (int i = 0; i < e.required; ++i)
            if (values[size_t(i)].isMissing())
                raise(err::NotOptional);
        return BoundArgs(std::move(values), &args);
    }

    QHash<QString, Entry> m_entries;
    QString m_default;
};

// Base for host objects served from a static member table.
template <class T>
class TableDispatch : public Dispatch
{
public:
    Variant invoke(const QString& member, CallKind kind, const Args& args) override
    {
        return T::members().invoke(static_cast<T&>(*this), member, kind, args);
    }
};

} // namespace host
