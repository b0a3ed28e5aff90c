#pragma once

#include "host/xl/object.h"

#include <cstdint>

namespace xl {

class COMAddIn;

class COMAddIns : public Object
{
public:
    using Object::Object;

    std::int32_t Count() const;
    // The add-in of this ProgID; host error 9 when the host has none.
    xl::COMAddIn Item(const QString& progId) const;
};

class COMAddIn : public xl::Object
{
public:
    using xl::Object::Object;

    QString ProgId() const;
    QString Description() const;
    bool Connect() const;
    // The object the add-in publishes; methods are called on it by name.
    xl::Object Object() const;
};

} // namespace xl
