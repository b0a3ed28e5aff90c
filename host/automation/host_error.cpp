#include "host/automation/host_error.h"

namespace host {

HostError::HostError(int number, QString description)
    : m_number(number), m_description(std::move(description)), m_what(report().toStdString())
{
}

QString HostError::report() const
{
    return QStringLiteral("(err:") + QString::number(m_number) + QStringLiteral(") ") + m_description;
}

QString clipped(const QString& value)
{
    constexpr qsizetype kShown = 60;
    if (value.size() <= kShown)
        return value;
    qsizetype cut = kShown;
    if (value.at(cut - 1).isHighSurrogate())
        --cut; // not half a character
    return value.left(cut) + QStringLiteral("…");
}

QString standardDescription(int number)
{
    switch (number) {
    case err::InvalidCall:
        return QStringLiteral("Invalid procedure call or argument");
    case err::Overflow:
        return QStringLiteral("Overflow");
    case err::OutOfRange:
        return QStringLiteral("Subscript out of range");
    case err::TypeMismatch:
        return QStringLiteral("Type mismatch");
    case err::FileNotFound:
        return QStringLiteral("File not found");
    case err::PathNotFound:
        return QStringLiteral("Path not found");
    case err::ObjectNotSet:
        return QStringLiteral("Object variable or With block variable not set");
    case 94:
        return QStringLiteral("Invalid use of Null");
    case err::ObjectRequired:
        return QStringLiteral("Object required");
    case err::NotSupported:
        return QStringLiteral("Object doesn't support this property or method");
    case err::NamedNotFound:
        return QStringLiteral("Named argument not found");
    case err::NotOptional:
        return QStringLiteral("Argument not optional");
    case err::WrongArgCount:
        return QStringLiteral("Wrong number of arguments or invalid property assignment");
    case err::ApplicationDefined:
        return QStringLiteral("Application-defined or object-defined error");
    default:
        return QStringLiteral("Automation error");
    }
}

void raise(int number, const QString& description)
{
    throw HostError(number, description);
}

void raise(int number)
{
    throw HostError(number, standardDescription(number));
}

} // namespace host
