#pragma once

#include "host/automation/member_table.h"

#include <functional>
#include <memory>
#include <vector>

namespace host::objects {

class Application;

// A COM add-in as the host lists it: its ProgID, whether it is connected, and the object it
// publishes.
class ComAddIn : public TableDispatch<ComAddIn>
{
public:
    // What assigning Connect does when it changes: the host application's add-in loader
    // connects or disconnects the add-in. Without one the assignment only records the value.
    using ConnectHandler = std::function<void(ComAddIn&, bool connect)>;

    ComAddIn(QString progId, QString description, ObjectRef object, bool connected = true)
        : m_progId(std::move(progId)), m_description(std::move(description)),
          m_object(std::move(object)), m_connected(connected)
    {
    }

    static const MemberTable<ComAddIn>& members();
    QString className() const override { return QStringLiteral("COMAddIn"); }
    const QString& progId() const { return m_progId; }
    const QString& description() const { return m_description; }
    bool connected() const { return m_connected; }
    const ObjectRef& object() const { return m_object; }

    void setConnectHandler(ConnectHandler handler) { m_onConnect = std::move(handler); }
    // The loader's own changes, which run no handler.
    void setConnected(bool connected) { m_connected = connected; }
    void setObject(ObjectRef object) { m_object = std::move(object); }
    // While the add-in's connection call runs, assigning Connect = False is its refusal and
    // is only recorded.
    void setConnecting(bool connecting) { m_connecting = connecting; }

private:
    void assignConnect(bool connect);

    QString m_progId;
    QString m_description;
    ObjectRef m_object;
    bool m_connected = true;
    bool m_connecting = false;
    ConnectHandler m_onConnect;
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

    // Lists an add-in (replacing one of the same ProgID, letter case ignored).
    std::shared_ptr<ComAddIn> registerAddIn(const QString& progId, const QString& description,
                                            ObjectRef object, bool connected = true);
    const std::vector<std::shared_ptr<ComAddIn>>& addIns() const { return m_addIns; }
    void detach();

private:
    ObjectRef item(const Variant& index) const;

    Application* m_app;
    std::vector<std::shared_ptr<ComAddIn>> m_addIns;
};

} // namespace host::objects
