#include "host/remote/handle_table.h"

#include "host/automation/host_error.h"

namespace host::remote {

quint64 HandleTable::add(const ObjectRef& object)
{
    const auto known = m_byObject.find(object.get());
    if (known != m_byObject.end()) {
        ++m_entries[known->second].sent;
        return known->second;
    }
    if (m_entries.size() >= m_limit)
        raise(7, QStringLiteral("Out of memory"));
    const quint64 handle = m_next++;
    m_entries.emplace(handle, Entry{object, 1});
    m_byObject.emplace(object.get(), handle);
    return handle;
}

ObjectRef HandleTable::find(quint64 handle) const
{
    const auto it = m_entries.find(handle);
    return it == m_entries.end() ? ObjectRef() : it->second.object;
}

bool HandleTable::release(quint64 handle, quint64 count)
{
    const auto it = m_entries.find(handle);
    if (it == m_entries.end())
        return false;
    if (count < it->second.sent) {
        it->second.sent -= count;
        return false;
    }
    m_byObject.erase(it->second.object.get());
    m_entries.erase(it);
    return true;
}

void HandleTable::clear()
{
    // Objects may release others as they go: empty the tables before they die.
    auto entries = std::move(m_entries);
    m_entries.clear();
    m_byObject.clear();
    entries.clear();
}

} // namespace host::remote
