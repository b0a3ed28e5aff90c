#pragma once

#include "host/automation/variant.h"

#include <QCborValue>

#include <stdexcept>

// Values on a host connection: every Variant kind as CBOR. Booleans, Long, Double, String,
// Empty (undefined) and Null are CBOR's own; Integer, Currency, Date, Object, Array and
// Missing are tagged.
namespace host::remote {

// A message that does not have the form the protocol gives it.
struct MalformedMessage : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

enum class ValueTag : quint64
{
    Integer = 40101,  // the 16-bit integer
    Currency = 40102, // ten-thousandths, 64-bit
    Date = 40103,     // the automation date as a double
    Object = 40104,   // what ObjectCodec makes of the reference
    Array = 40105,    // [rows, columns, [items, row by row]]
    Missing = 40106,  // null
};

// How objects cross: the sending side turns a reference into what names it on the
// connection, the receiving side turns that back into a reference.
class ObjectCodec
{
public:
    virtual ~ObjectCodec();
    virtual QCborValue encodeObject(const ObjectRef& object) = 0;
    // Raises a host error for a reference the connection does not know, MalformedMessage for
    // one without the expected form.
    virtual ObjectRef decodeObject(const QCborValue& value) = 0;
};

QCborValue encodeVariant(const Variant& value, ObjectCodec& objects);
// Raises MalformedMessage for anything that is no value of the protocol.
Variant decodeVariant(const QCborValue& value, ObjectCodec& objects);

} // namespace host::remote
