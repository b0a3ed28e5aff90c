#pragma once

#include "host/automation/member_table.h"

namespace host::objects {

class Application;

// Application.Workbooks: item by name or index, Add, Open, Count, For Each.
class Workbooks : public TableDispatch<Workbooks>
{
public:
    explicit Workbooks(Application& app) : m_app(&app) {}

    static const MemberTable<Workbooks>& members();
    QString className() const override { return QStringLiteral("Workbooks"); }
    std::vector<Variant> enumerate() override;

    void detach() { m_app = nullptr; }

private:
    Application& app() const;
    ObjectRef item(const Variant& index) const;
    ObjectRef add(const BoundArgs& args);

    Application* m_app;
};

} // namespace host::objects
