#pragma once

#include "host/objects/evaluate_parser.h"

#include <QString>

#include <map>

// What the worksheet functions share: their arguments, evaluated on demand, and the table
// that names them.
namespace host::objects::formula {

// The arguments of one call, evaluated on demand (IF and IFERROR evaluate only what they use).
class Args
{
public:
    Args(const Node& node, Context& context) : m_node(node), m_context(context) {}

    int count() const { return int(m_node.args.size()); }
    bool given(int i) const
    {
        return i < count() && m_node.args[size_t(i)]->kind != Node::Kind::Missing;
    }
    Context& context() { return m_context; }

    Value raw(int i) { return evaluateNode(*m_node.args[size_t(i)], m_context); }
    Value scalar(int i) { return toScalar(raw(i), m_context); }
    Value number(int i) { return toNumber(raw(i), m_context); }
    Value text(int i) { return toText(raw(i), m_context); }
    Value boolean(int i) { return toBoolean(raw(i), m_context); }

    // An optional number: `fallback` when left out.
    Value number(int i, double fallback) { return given(i) ? number(i) : Value(fallback); }

private:
    const Node& m_node;
    Context& m_context;
};

using Function = Value (*)(Args&);
struct FunctionEntry
{
    Function run;
    int minArgs;
    int maxArgs; // -1: any number
};
using FunctionTable = std::map<QString, FunctionEntry>;

inline double num(const Value& v)
{
    return std::get<double>(v);
}
// A number as a whole count, truncated and held inside ±2^31 so that huge arguments stay
// defined.
inline int whole(double v)
{
    if (!(v > -2147483648.0))
        return -2147483647 - 1;
    if (v >= 2147483647.0)
        return 2147483647;
    return int(v);
}
inline const QString& str(const Value& v)
{
    return std::get<QString>(v);
}

// Visits every value an argument list holds: blocks cell by cell (blank cells left out),
// everything else as given. Stops at the first error and answers it.
template <class Visit> Value eachValue(Args& a, Visit visit)
{
    Value failure = Blank{};
    for (int i = 0; i < a.count() && !isError(failure); ++i) {
        if (!a.given(i))
            continue;
        const Value v = a.raw(i);
        if (const auto* ref = std::get_if<Reference>(&v)) {
            a.context().forValues(*ref, [&](const Value& cell) {
                if (!isError(failure))
                    failure = visit(cell, true);
            });
        } else {
            failure = visit(v, false);
        }
    }
    return failure;
}

// The text functions (LEN, MID, SUBSTITUTE, TEXT, …).
void addTextFunctions(FunctionTable& table);

} // namespace host::objects::formula
