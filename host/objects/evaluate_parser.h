#pragma once

#include "host/objects/evaluate_value.h"

#include <memory>
#include <vector>

namespace host::objects::formula {

// One node of a parsed formula.
struct Node
{
    enum class Kind
    {
        Literal, // value: a number, text, Boolean or error
        Ref,     // value: a Reference
        Name,    // an unknown name: #NAME? when evaluated
        Missing, // an argument left out: IF(A1,,1)
        Negate,  // args[0]
        Percent, // args[0]
        Binary,  // op; args[0], args[1]
        Call,    // op: the function's name in upper case; args
    };

    Kind kind = Kind::Literal;
    Value value;
    QString op;
    std::vector<std::unique_ptr<Node>> args;
};

// Runs a Call node: the worksheet functions the evaluator knows; #NAME? for any other.
Value callFunction(const Node& node, Context& context);

} // namespace host::objects::formula
