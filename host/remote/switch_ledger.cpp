#include "host/remote/switch_ledger.h"

#include "host/automation/dispatch.h"
#include "host/automation/host_error.h"

#include <algorithm>

namespace host::remote {

namespace {

const QString kCutCopyMode = QStringLiteral("CutCopyMode");

// The switches put back by assigning what they held.
bool isSwitch(const QString& member)
{
    for (const char* name :
         {"ScreenUpdating", "EnableEvents", "Interactive", "DisplayAlerts", "Cursor"})
        if (member.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

void SwitchLedger::hold(int client, const QString& name)
{
    auto it = std::find_if(m_held.begin(), m_held.end(), [&](const Held& h) {
        return h.name.compare(name, Qt::CaseInsensitive) == 0;
    });
    if (it == m_held.end()) {
        Variant before;
        try {
            before = m_app->get(name);
        } catch (const HostError&) {
            return; // a host without the switch has nothing to put back
        }
        m_held.push_back(Held{name, before, {}});
        it = m_held.end() - 1;
    }
    it->clients.insert(client);
}

void SwitchLedger::beforeCall(int client, const Dispatch* target, const QString& member,
                              WireKind kind)
{
    if (!m_app)
        return;
    // A copy or cut through any object leaves CutCopyMode set.
    if (kind != WireKind::Let && kind != WireKind::Set &&
        (member.compare(QStringLiteral("Copy"), Qt::CaseInsensitive) == 0 ||
         member.compare(QStringLiteral("Cut"), Qt::CaseInsensitive) == 0 ||
         member.compare(QStringLiteral("CopyPicture"), Qt::CaseInsensitive) == 0))
        hold(client, kCutCopyMode);
    if (target == m_app.get() && (kind == WireKind::Let || kind == WireKind::Set) &&
        isSwitch(member))
        hold(client, member);
}

void SwitchLedger::clientGone(int client)
{
    std::vector<Held> released;
    for (auto it = m_held.begin(); it != m_held.end();) {
        if (it->clients.erase(client) && it->clients.empty()) {
            released.push_back(std::move(*it));
            it = m_held.erase(it);
        } else {
            ++it;
        }
    }
    for (const Held& held : released) {
        try {
            if (held.name == kCutCopyMode) {
                // Assigning clears a pending copy and cannot make one: clear only what the
                // clients left behind.
                if (held.before == Variant(false) && !(m_app->get(kCutCopyMode) == Variant(false)))
                    m_app->let(kCutCopyMode, Variant(false));
            } else {
                m_app->let(held.name, held.before);
            }
        } catch (const std::exception&) {
            // A host that refuses the value now keeps what it has.
        }
    }
}

} // namespace host::remote
