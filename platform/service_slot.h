#pragma once

#include <utility>

namespace platform {

// Puts a service implementation in place for the lifetime of this object and restores the
// previous one afterwards. `Exchange` installs its argument (none: the default) and answers
// the implementation it replaced. Tests and front ends use it for the message box, key state,
// event pump, shell and folder services.
template <class Interface, Interface* (*Exchange)(Interface*)> class ScopedService
{
public:
    explicit ScopedService(Interface& service) : m_previous(Exchange(&service)) {}
    ~ScopedService() { Exchange(m_previous); }

    ScopedService(const ScopedService&) = delete;
    ScopedService& operator=(const ScopedService&) = delete;

private:
    Interface* m_previous;
};

} // namespace platform
