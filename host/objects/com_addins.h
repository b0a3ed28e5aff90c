#pragma once

#include "host/automation/member_table.h"

#include <memory>
#include <vector>

namespace host::objects {

class Application;

// A COM add-in as the host lists it: its ProgID, whether it is connected, and the object it
// publishes.
class ComAddIn : public TableDispatch<ComAddIn>
{
public:
    ComAddIn(QString progId, QString description, ObjectRef object)
        : m_progId(std::move(progId)), m_description(std::move(description)),
          m_object(std::move(object))
    {
    }

    static const MemberTable<ComAddIn>& members();
    QString className() const override { return QStringLiteral("COMAddIn"); }
    const QString& progId() const { return m_progId; }

private:
    QString m_progId;
    QString m_description;
    ObjectRef m_object;
    bool m_connected = true;
};

// The add-ins the host has loaded. Add-in loading registers them here; asking for one that
// is not loaded raises host error 9.
class ComAddIns : public TableDispatch<ComAddIns>
{
public:
    explicit ComAddIns(Application& app) : m_app(&app) {}

    static const MemberTable<ComAddIns>& members();
    QString className() const override { return QStringLiteral("COMAddIns"); }
    std::vector<Variant> enumerate() override;

    void registerAddIn(const QString& progId, const QString& description, ObjectRef object);
    void detach();

private:
    ObjectRef item(const Variant& index) const;

    Application* m_app;
    std::vector<std::shared_ptr<ComAddIn>> m_addIns;
};

} // namespace host::objects
