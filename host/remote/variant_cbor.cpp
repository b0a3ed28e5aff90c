#include "host/remote/variant_cbor.h"

#include <QCborArray>

#include <limits>

namespace host::remote {

namespace {

// Arrays hold arrays as Variants; deeper than this is no value anybody sends.
constexpr int kMaxDepth = 32;
// Items per array: the largest frame cannot hold more.
constexpr qint64 kMaxItems = 64 * 1024 * 1024;

QCborValue tagged(ValueTag tag, const QCborValue& content)
{
    return QCborValue(QCborTag(quint64(tag)), content);
}

QCborValue encode(const Variant& value, ObjectCodec& objects)
{
    switch (value.type()) {
    case VarType::Empty:
        return QCborValue(QCborSimpleType::Undefined);
    case VarType::Null:
        return QCborValue(nullptr);
    case VarType::Boolean:
        return QCborValue(value.toBool());
    case VarType::Integer:
        return tagged(ValueTag::Integer, qint64(value.toInt16()));
    case VarType::Long:
        return QCborValue(qint64(value.toInt32()));
    case VarType::Double:
        return QCborValue(value.toDouble());
    case VarType::Currency:
        return tagged(ValueTag::Currency, qint64(value.toCurrency().tenThousandths));
    case VarType::Date:
        return tagged(ValueTag::Date, value.toDate().serial);
    case VarType::String:
        return QCborValue(value.toString());
    case VarType::Object:
        return tagged(ValueTag::Object, objects.encodeObject(value.toObject()));
    case VarType::Array: {
        const VariantArray& array = value.toArray();
        QCborArray items;
        for (const Variant& item : array.items)
            items.append(encode(item, objects));
        return tagged(ValueTag::Array,
                      QCborArray{qint64(array.rows), qint64(array.columns), std::move(items)});
    }
    case VarType::Missing:
        return tagged(ValueTag::Missing, QCborValue(nullptr));
    }
    throw MalformedMessage("a value of no known kind");
}

qint64 integerIn(const QCborValue& value, qint64 low, qint64 high, const char* what)
{
    if (!value.isInteger())
        throw MalformedMessage(what);
    const qint64 v = value.toInteger();
    if (v < low || v > high)
        throw MalformedMessage(what);
    return v;
}

Variant decode(const QCborValue& value, ObjectCodec& objects, int depth)
{
    if (depth > kMaxDepth)
        throw MalformedMessage("arrays nested too deep");
    switch (value.type()) {
    case QCborValue::Undefined:
        return Variant();
    case QCborValue::Null:
        return Variant::null();
    case QCborValue::False:
        return Variant(false);
    case QCborValue::True:
        return Variant(true);
    case QCborValue::Integer:
        return Variant(std::int32_t(integerIn(value, std::numeric_limits<std::int32_t>::min(),
                                              std::numeric_limits<std::int32_t>::max(),
                                              "a Long out of range")));
    case QCborValue::Double:
        return Variant(value.toDouble());
    case QCborValue::String:
        return Variant(value.toString());
    case QCborValue::Tag:
        break;
    default:
        throw MalformedMessage("a value of no known kind");
    }
    const QCborValue content = value.taggedValue();
    switch (ValueTag(quint64(value.tag()))) {
    case ValueTag::Integer:
        return Variant(std::int16_t(integerIn(content, std::numeric_limits<std::int16_t>::min(),
                                              std::numeric_limits<std::int16_t>::max(),
                                              "an Integer out of range")));
    case ValueTag::Currency:
        if (!content.isInteger())
            throw MalformedMessage("a Currency that is no integer");
        return Variant(CurrencyValue{content.toInteger()});
    case ValueTag::Date:
        if (!content.isDouble())
            throw MalformedMessage("a Date that is no number");
        return Variant(DateValue{content.toDouble()});
    case ValueTag::Object:
        return Variant(objects.decodeObject(content));
    case ValueTag::Array: {
        const QCborArray parts = content.toArray();
        if (!content.isArray() || parts.size() != 3 || !parts.at(2).isArray())
            throw MalformedMessage("an array without its dimensions and items");
        const qint64 rows = integerIn(parts.at(0), 0, kMaxItems, "an array's rows");
        const qint64 columns = integerIn(parts.at(1), 0, kMaxItems, "an array's columns");
        const QCborArray items = parts.at(2).toArray();
        if (rows * (columns == 0 ? 1 : columns) != items.size())
            throw MalformedMessage("an array whose items do not fill its dimensions");
        VariantArray array;
        array.rows = int(rows);
        array.columns = int(columns);
        array.items.reserve(std::size_t(items.size()));
        for (const QCborValue& item : items)
            array.items.push_back(decode(item, objects, depth + 1));
        return Variant(std::move(array));
    }
    case ValueTag::Missing:
        return Variant::missing();
    }
    throw MalformedMessage("a value with an unknown tag");
}

} // namespace

ObjectCodec::~ObjectCodec() = default;

QCborValue encodeVariant(const Variant& value, ObjectCodec& objects)
{
    return encode(value, objects);
}

Variant decodeVariant(const QCborValue& value, ObjectCodec& objects)
{
    return decode(value, objects, 0);
}

} // namespace host::remote
