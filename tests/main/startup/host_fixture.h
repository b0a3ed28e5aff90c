#pragma once

#include "host/model/workbook.h"
#include "host/objects/host.h"
#include "host/running/running_hosts.h"

#include <QString>

#include <memory>
#include <vector>

// Hosts for start-up tests: each runs in this process and is registered in the table of
// running hosts for as long as the fixture lives.
struct TestHost
{
    explicit TestHost(host::objects::HostOptions options, std::int32_t windowId);

    // A workbook of `sheets` empty worksheets, opened as `fullName` (a bare name: never saved).
    host::ObjectRef openBook(const QString& fullName, int sheets = 1);
    host::model::Workbook& lastModel() { return *m_lastModel; }

    host::objects::Host host;
    std::shared_ptr<host::running::InProcessHost> entry;
    std::unique_ptr<host::running::Registration> registration;

private:
    host::model::Workbook* m_lastModel = nullptr;
};

std::unique_ptr<host::model::Workbook> makeBook(int sheets);
