#pragma once

#include "host/automation/variant.h"

#include <QString>
#include <QStringList>
#include <QtPlugin>

#include <cstdint>
#include <memory>
#include <vector>

// The host's add-in interface. An add-in is a shared library that is a Qt plugin whose root
// object implements host::ComAddInPlugin; it links the host's automation interface and typed
// wrappers (host_api) and platform, nothing of the host's internals.
//
// The host application lists the add-ins of the current user (host_app/add_ins/add_in_list.h
// says where and how); for each ProgID it loads the library named there with QPluginLoader,
// asks the root object for an instance of that ProgID, and connects it:
//
//   1. The host puts the add-in's record into Application.COMAddIns with Connect = True and
//      Object = Nothing, and calls OnConnection(Application, mode, record, custom).
//   2. The add-in publishes its object for others (COMAddIns(ProgID).Object, callable by name
//      in this process and through the remote channel) by assigning record.Object, and refuses
//      the connection by assigning record.Connect = False.
//   3. A refusal, or a host error thrown out of OnConnection, leaves the record listed with
//      Connect = False and Object = Nothing; the host drops the instance, reports an error
//      (not a refusal) in a message box, and keeps running.
//
// Assigning record.Connect later connects a listed add-in (mode AfterStartup) or disconnects a
// connected one (OnDisconnection with UserClosed). The host disconnects every connected add-in
// (HostShutdown) before its windows and objects go.
namespace host {

// Why the host connects an add-in, numbered as the platform's host numbers it.
enum class ConnectMode : std::int32_t
{
    AfterStartup = 0, // Connect set to True while the host runs
    Startup = 1,      // load behaviour 3: loaded when the host starts
    External = 2,
    CommandLine = 3,
};

// Why the host lets an add-in go.
enum class RemoveMode : std::int32_t
{
    HostShutdown = 0,
    UserClosed = 1, // Connect set to False
};

// One instance of an add-in's class, from connection to disconnection. The host holds it
// only while connected; the add-in must drop every host reference in OnDisconnection.
class ComAddInInstance
{
public:
    virtual ~ComAddInInstance() = default;

    // `application` is the host's Application object; `addInInst` the add-in's record
    // (ProgId, Description, Object, Connect). Host errors thrown here reach the host's report.
    virtual void OnConnection(const ObjectRef& application, ConnectMode mode,
                              const ObjectRef& addInInst, std::vector<Variant>& custom) = 0;
    virtual void OnDisconnection(RemoveMode mode, std::vector<Variant>& custom) = 0;
};

// The root object of an add-in library: one per loaded library, for as long as the host runs.
class ComAddInPlugin
{
public:
    virtual ~ComAddInPlugin() = default;

    // The ProgIDs this library serves ("TORVA_Picrows.Connect").
    virtual QStringList progIds() const = 0;
    // A new instance for `progId` (compared without regard to letter case); none for a ProgID
    // the library does not serve.
    virtual std::shared_ptr<ComAddInInstance> createInstance(const QString& progId) = 0;
};

} // namespace host

#define PICROWS_COM_ADDIN_PLUGIN_IID "org.picrows.host.ComAddInPlugin/1"
Q_DECLARE_INTERFACE(host::ComAddInPlugin, PICROWS_COM_ADDIN_PLUGIN_IID)
