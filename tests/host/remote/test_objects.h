#pragma once

#include "host/automation/events.h"
#include "host/automation/member_table.h"

#include <QString>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <vector>

// A small object tree with the automation's traits (values, errors, by-reference arguments,
// collections, events, switches) that the channel's tests serve instead of a whole host.
namespace remote_test {

class TestChild : public host::TableDispatch<TestChild>
{
public:
    explicit TestChild(QString name);
    ~TestChild() override;
    static const host::MemberTable<TestChild>& members();
    QString className() const override { return QStringLiteral("TestChild"); }

    static int alive() { return s_alive.load(); }

private:
    QString m_name;
    static std::atomic<int> s_alive;
};

class TestItems : public host::TableDispatch<TestItems>
{
public:
    explicit TestItems(std::vector<host::ObjectRef> items) : m_items(std::move(items)) {}
    static const host::MemberTable<TestItems>& members();
    QString className() const override { return QStringLiteral("TestItems"); }
    std::vector<host::Variant> enumerate() override;

private:
    std::vector<host::ObjectRef> m_items;
};

class TestRoot : public host::TableDispatch<TestRoot>
{
public:
    TestRoot();
    static const host::MemberTable<TestRoot>& members();
    QString className() const override { return QStringLiteral("TestRoot"); }
    host::EventSource* events() override { return &m_events; }

    // What "Clients" answers: the server's count of connections.
    std::function<int()> clients;

private:
    host::EventSource m_events;
    std::map<QString, host::ObjectRef> m_children;
    bool m_screenUpdating = true;
    bool m_enableEvents = true;
    bool m_interactive = true;
    bool m_displayAlerts = true;
    std::int32_t m_cursor = -4143;
    int m_cutCopyMode = 0;
};

} // namespace remote_test
