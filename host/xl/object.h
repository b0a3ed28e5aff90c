#pragma once

#include "host/automation/dispatch.h"
#include "host/automation/variant.h"

#include <QString>

// Thin typed wrappers over the host's automation objects. Every call goes through
// Dispatch::invoke by member name, so the same wrappers work against objects that live in
// another process. Property assignments are the `set…` members; host errors arrive as
// host::HostError.
namespace xl {

class Object
{
public:
    Object() = default;
    explicit Object(host::ObjectRef object) : m_object(std::move(object)) {}
    // An object value or Nothing; any other value raises host error 424.
    explicit Object(const host::Variant& value) : m_object(value.toObject()) {}

    bool isNothing() const { return !m_object; }
    const host::ObjectRef& ref() const { return m_object; }
    host::Variant toVariant() const { return host::Variant(m_object); }

    // The class name as TypeName answers it ("Range", "Worksheet", …; "Nothing").
    QString TypeName() const;

    // Late-bound calls on the object; Nothing raises host error 91.
    host::Variant get(const QString& member, host::Args args = {}) const;
    void let(const QString& member, const host::Variant& value, host::Args args = {}) const;
    host::Variant call(const QString& member, host::Args args = {}) const;

    // Identity of the references, as `Is` compares them.
    friend bool operator==(const Object& a, const Object& b) { return a.m_object == b.m_object; }

protected:
    // A positional argument list where Nothing means "left out".
    static host::Variant optional(const Object& value);

    host::ObjectRef m_object;
};

} // namespace xl
