#pragma once

#include "host/automation/variant.h"
#include "host/remote/messages.h"

#include <QString>

#include <set>
#include <vector>

namespace host::remote {

// The Application switches that connected clients have changed, with the value each had
// before the first of them changed it. When the last client holding a switch goes, however it
// ends, the switch is put back, so that a client that dies between "ScreenUpdating = False"
// and "= True" does not leave the host frozen.
class SwitchLedger
{
public:
    explicit SwitchLedger(ObjectRef application) : m_app(std::move(application)) {}

    // Before each call of `client` on `target`: a first assignment of a switch, or a first
    // copy or cut, remembers the switch's value (CutCopyMode's for a copy).
    void beforeCall(int client, const Dispatch* target, const QString& member, WireKind kind);
    // Puts back what only `client` still held.
    void clientGone(int client);

private:
    struct Held
    {
        QString name;
        Variant before;
        std::set<int> clients;
    };
    void hold(int client, const QString& name);

    ObjectRef m_app;
    std::vector<Held> m_held;
};

} // namespace host::remote
