#pragma once

#include "host/automation/variant.h"

#include <QtGlobal>

#include <cstddef>
#include <unordered_map>

namespace host::remote {

// The objects one client holds: each crosses as a handle, and lives on the host side until the
// client has released every copy it was sent. Counting the copies keeps a handle alive when it
// is sent again while the client's release of the earlier copies is still on its way.
class HandleTable
{
public:
    explicit HandleTable(std::size_t limit) : m_limit(limit) {}

    // The handle of `object` (the same one while the client holds it), counted as sent once
    // more. Past the limit, host error 7 "Out of memory".
    quint64 add(const ObjectRef& object);
    // None for a handle that was never given or is released.
    ObjectRef find(quint64 handle) const;
    // Takes back `count` copies; true when that was the last of them and the handle went.
    bool release(quint64 handle, quint64 count);
    void clear();
    std::size_t size() const { return m_entries.size(); }

private:
    struct Entry
    {
        ObjectRef object;
        quint64 sent = 0;
    };
    std::unordered_map<quint64, Entry> m_entries;
    std::unordered_map<const void*, quint64> m_byObject;
    quint64 m_next = 1; // 0 names Nothing
    std::size_t m_limit;
};

} // namespace host::remote
