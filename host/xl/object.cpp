#include "host/xl/object.h"

namespace xl {

QString Object::TypeName() const
{
    return toVariant().typeName();
}

host::Variant Object::get(const QString& member, host::Args args) const
{
    return host::deref(m_object).get(member, std::move(args));
}

void Object::let(const QString& member, const host::Variant& value, host::Args args) const
{
    host::deref(m_object).let(member, value, std::move(args));
}

host::Variant Object::call(const QString& member, host::Args args) const
{
    return host::deref(m_object).call(member, std::move(args));
}

host::Variant Object::optional(const Object& value)
{
    return value.isNothing() ? host::Variant::missing() : value.toVariant();
}

} // namespace xl
