#pragma once

#include <QString>

#include <exception>
#include <string>

namespace host {

// An error raised by the host: a number and a description, as automation errors carry them.
class HostError : public std::exception
{
public:
    HostError(int number, QString description);

    int number() const { return m_number; }
    const QString& description() const { return m_description; }

    // "(err:" + number + ") " + description, the form in which errors are reported.
    QString report() const;

    const char* what() const noexcept override { return m_what.c_str(); }

private:
    int m_number;
    QString m_description;
    std::string m_what;
};

// The host's common errors.
namespace err {
inline constexpr int InvalidCall = 5;       // "Invalid procedure call or argument"
inline constexpr int Overflow = 6;          // "Overflow"
inline constexpr int OutOfRange = 9;        // "Subscript out of range"
inline constexpr int TypeMismatch = 13;     // "Type mismatch"
inline constexpr int FileNotFound = 53;     // "File not found"
inline constexpr int PathNotFound = 76;     // "Path not found"
inline constexpr int ObjectRequired = 424;  // "Object required"
inline constexpr int NotSupported = 438;    // "Object doesn't support this property or method"
inline constexpr int NamedNotFound = 448;   // "Named argument not found"
inline constexpr int NotOptional = 449;     // "Argument not optional"
inline constexpr int WrongArgCount = 450;   // "Wrong number of arguments or invalid property assignment"
inline constexpr int ObjectNotSet = 91;     // "Object variable or With block variable not set"
inline constexpr int ApplicationDefined = 1004; // "Application-defined or object-defined error"
} // namespace err

// A value quoted in a description, cut to its first characters and "…" when long: a file or an
// argument must not make a message of a megabyte.
QString clipped(const QString& value);

[[noreturn]] void raise(int number, const QString& description);
[[noreturn]] void raise(int number); // with the standard description of the numbers above
QString standardDescription(int number);

} // namespace host
