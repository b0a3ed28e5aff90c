#pragma once

#include "host/automation/host_error.h"
#include "host/xl/application.h"

namespace picrows {

// Application.Interactive off while a tool's modal dialog is open, and on again however the
// dialog ends.
class NonInteractive
{
public:
    explicit NonInteractive(const xl::Application& app) : m_app(app)
    {
        m_app.setInteractive(false);
    }
    ~NonInteractive()
    {
        try {
            m_app.setInteractive(true);
        } catch (const host::HostError&) {
        }
    }
    NonInteractive(const NonInteractive&) = delete;
    NonInteractive& operator=(const NonInteractive&) = delete;

private:
    const xl::Application& m_app;
};

} // namespace picrows
