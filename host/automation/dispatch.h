#pragma once

#include "host/automation/variant.h"

#include <QString>

#include <memory>
#include <utility>
#include <vector>

namespace host {

class EventSource;

enum class CallKind
{
    Get,    // property get; also a method call when the member is a method
    Let,    // property assignment of a value (the value is the last positional argument)
    Set,    // property assignment of an object reference
    Method, // method call
};

// Arguments of one call: positional first, then named ones (`Format:=`, `After:=`).
struct Args
{
    std::vector<Variant> positional;
    std::vector<std::pair<QString, Variant>> named;
    // The positional arguments passed by reference: their index and the caller's variable,
    // which receives what the callee writes back (a by-value argument's write is dropped, as
    // the language drops it).
    std::vector<std::pair<std::size_t, std::shared_ptr<Variant>>> byRef;

    Args() = default;
    Args(std::initializer_list<Variant> values) : positional(values) {}
    explicit Args(std::vector<Variant> values) : positional(std::move(values)) {}

    Args& add(const QString& name, Variant value)
    {
        named.emplace_back(name, std::move(value));
        return *this;
    }

    // Appends a positional argument passed by reference: the callee sees *variable and its
    // writeBack() lands in *variable, in this process or across.
    Args& addByRef(std::shared_ptr<Variant> variable);

    bool isByRef(std::size_t index) const;
    // The callee's side: a new value for positional argument `index`.
    void writeBack(std::size_t index, const Variant& value) const;
};

// An automation object: every member is reached by name, without regard to letter case, so
// that an object living in another process can stand behind the same interface. The host
// owns its objects; callers hold shared references and drop them when done.
class Dispatch : public std::enable_shared_from_this<Dispatch>
{
public:
    virtual ~Dispatch();

    // The class name that TypeName answers ("Application", "Range", "Worksheet", …).
    virtual QString className() const = 0;

    // The late-bound entry point. An unknown member raises host error 438; a wrong argument
    // count raises 450, an unknown named argument 448, a value that does not convert 13.
    // An empty member name is the object's default member.
    virtual Variant invoke(const QString& member, CallKind kind, const Args& args) = 0;

    // The items of `For Each`; objects that are no collection raise 438.
    virtual std::vector<Variant> enumerate();

    // The object's connection point for events; none for objects that raise no events.
    virtual EventSource* events() { return nullptr; }

    // Conveniences over invoke().
    Variant get(const QString& member, Args args = {});
    void let(const QString& member, const Variant& value, Args args = {});
    Variant call(const QString& member, Args args = {});
};

// Calls on a possibly empty reference: a none object raises host error 91.
Dispatch& deref(const ObjectRef& object);

} // namespace host
