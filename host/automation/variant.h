#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

namespace host {

class Dispatch;
using ObjectRef = std::shared_ptr<Dispatch>;

// The value kinds of the automation model. Integer is 16-bit, Long 32-bit; Currency is a
// fixed-point number with four decimals held as a 64-bit count of ten-thousandths; Date is
// the automation date (days since 1899-12-30, the fraction being the time of day).
enum class VarType {
    Empty,
    Null,
    Boolean,
    Integer,
    Long,
    Double,
    Currency,
    Date,
    String,
    Object,
    Array,
    Missing, // an optional argument that the caller left out
};

class Variant;

// A one- or two-dimensional array with lower bounds of 1 (cells give rows × columns).
struct VariantArray
{
    int rows = 0;
    int columns = 0; // 0 for a one-dimensional array of `rows` elements
    std::vector<Variant> items;
};

struct CurrencyValue
{
    std::int64_t tenThousandths = 0;
    friend bool operator==(const CurrencyValue&, const CurrencyValue&) = default;
};

struct DateValue
{
    double serial = 0; // automation date
    friend bool operator==(const DateValue&, const DateValue&) = default;
};

class Variant
{
public:
    Variant() = default;
    Variant(bool value) : m_value(value) {}
    Variant(std::int16_t value) : m_value(value) {}
    Variant(std::int32_t value) : m_value(value) {}
    Variant(double value) : m_value(value) {}
    Variant(CurrencyValue value) : m_value(value) {}
    Variant(DateValue value) : m_value(value) {}
    Variant(const QString& value) : m_value(value) {}
    Variant(const char16_t* value) : m_value(QString::fromUtf16(value)) {}
    Variant(ObjectRef value) : m_value(std::move(value)) {}
    Variant(VariantArray value) : m_value(std::make_shared<VariantArray>(std::move(value))) {}

    static Variant null();
    static Variant missing();
    static Variant fromDateTime(const QDateTime& when);
    static Variant fromUtf8(const char* text) { return Variant(QString::fromUtf8(text)); }

    VarType type() const;
    bool isEmpty() const { return type() == VarType::Empty; }
    bool isNull() const { return type() == VarType::Null; }
    bool isMissing() const { return type() == VarType::Missing; }
    bool isObject() const { return type() == VarType::Object; }
    bool isArray() const { return type() == VarType::Array; }
    bool isNumeric() const;

    // Conversions follow the automation rules and raise host error 13 "Type mismatch" or 6
    // "Overflow" where the value does not convert.
    bool toBool() const;
    std::int16_t toInt16() const;
    std::int32_t toInt32() const;
    double toDouble() const;
    CurrencyValue toCurrency() const;
    DateValue toDate() const;
    QString toString() const;
    ObjectRef toObject() const; // none (nullptr) for Empty and a Nothing object
    const VariantArray& toArray() const;

    // The name of the value's kind as the automation's TypeName answers it; objects answer
    // their class name ("Range", "Picture", "Nothing" for an object reference that is none).
    QString typeName() const;

    // Strict equality of kind and value (objects by identity); not the language's `=`.
    friend bool operator==(const Variant& a, const Variant& b);

private:
    struct NullTag
    {
        friend bool operator==(NullTag, NullTag) { return true; }
    };
    struct MissingTag
    {
        friend bool operator==(MissingTag, MissingTag) { return true; }
    };
    std::variant<std::monostate, NullTag, bool, std::int16_t, std::int32_t, double, CurrencyValue,
                 DateValue, QString, ObjectRef, std::shared_ptr<VariantArray>, MissingTag>
        m_value;
};

// Rounds to nearest with ties to even, as conversions of real numbers to integers do.
double roundHalfEven(double value);

// Reads the leading decimal number of a text ("12.5abc" → 12.5, "abc" → 0), as the
// automation's Val does.
double leadingNumber(const QString& text);

double dateTimeToSerial(const QDateTime& when);
QDateTime serialToDateTime(double serial);

} // namespace host
