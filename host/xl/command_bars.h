#pragma once

#include "host/xl/object.h"

#include <cstdint>

namespace xl {

class CommandBarControl;

class CommandBars : public Object
{
public:
    using Object::Object;

    // The built-in control with this Id; Nothing when the host has none.
    xl::CommandBarControl FindControl(std::int32_t id) const;
    void ExecuteMso(const QString& idMso) const;
    bool GetEnabledMso(const QString& idMso) const;
    // A built-in image as a picture object; a label of a built-in control, group or tab.
    host::ObjectRef GetImageMso(const QString& idMso, std::int32_t width,
                                std::int32_t height) const;
    QString GetLabelMso(const QString& idMso) const;
};

class CommandBarControl : public Object
{
public:
    using Object::Object;

    std::int32_t Id() const;
    QString Caption() const;
    bool Enabled() const;
    void Execute() const;
    // A combo box's entries, 1-based.
    QString List(std::int32_t index) const;
    std::int32_t ListCount() const;
};

} // namespace xl
