#include "host/automation/dispatch.h"

#include "host/automation/host_error.h"

#include <algorithm>

namespace host {

Args& Args::addByRef(std::shared_ptr<Variant> variable)
{
    positional.push_back(variable ? *variable : Variant());
    byRef.emplace_back(positional.size() - 1, std::move(variable));
    return *this;
}

bool Args::isByRef(std::size_t index) const
{
    return std::any_of(byRef.cbegin(), byRef.cend(),
                       [index](const auto& entry) { return entry.first == index && entry.second; });
}

void Args::writeBack(std::size_t index, const Variant& value) const
{
    for (const auto& [at, variable] : byRef)
        if (at == index && variable)
            *variable = value;
}

Dispatch::~Dispatch() = default;

std::vector<Variant> Dispatch::enumerate()
{
    raise(err::NotSupported);
}

Variant Dispatch::get(const QString& member, Args args)
{
    return invoke(member, CallKind::Get, args);
}

void Dispatch::let(const QString& member, const Variant& value, Args args)
{
    args.positional.push_back(value);
    invoke(member, value.isObject() ? CallKind::Set : CallKind::Let, args);
}

Variant Dispatch::call(const QString& member, Args args)
{
    return invoke(member, CallKind::Method, args);
}

Dispatch& deref(const ObjectRef& object)
{
    if (!object)
        raise(err::ObjectNotSet);
    return *object;
}

} // namespace host

#include "host/automation/member_table.h"

namespace host {

const Variant& BoundArgs::at(int index) const
{
    if (index < 0 || index >= size() || m_values[size_t(index)].isMissing())
        raise(err::NotOptional);
    return m_values[size_t(index)];
}

} // namespace host
