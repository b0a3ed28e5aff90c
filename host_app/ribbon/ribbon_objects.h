#pragma once

#include "host/automation/member_table.h"

#include <functional>

namespace host_app {

// The control a ribbon callback is about: its Id (id or idMso), Tag and Context.
class RibbonControl : public host::TableDispatch<RibbonControl>
{
public:
    RibbonControl(QString id, QString tag) : m_id(std::move(id)), m_tag(std::move(tag)) {}
    static const host::MemberTable<RibbonControl>& members();
    QString className() const override { return QStringLiteral("IRibbonControl"); }
    const QString& id() const { return m_id; }

private:
    QString m_id;
    QString m_tag;
};

// The ribbon object an add-in gets through its onLoad callback: Invalidate asks again for
// every control of that add-in, InvalidateControl for one control id. The ribbon reads the
// callbacks again before it is next drawn.
class RibbonUi : public host::TableDispatch<RibbonUi>
{
public:
    using Handler = std::function<void(const QString& controlId)>; // empty id: all
    explicit RibbonUi(Handler handler) : m_handler(std::move(handler)) {}
    static const host::MemberTable<RibbonUi>& members();
    QString className() const override { return QStringLiteral("IRibbonUI"); }
    // After the ribbon goes, calls are refused (host error 91).
    void detach() { m_handler = {}; }

private:
    Handler m_handler;
};

} // namespace host_app
