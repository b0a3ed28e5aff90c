#pragma once

#include <QTabBar>

#include <memory>
#include <vector>

namespace host::objects {
class Workbook;
}

namespace host_app {

// The tabs of a workbook's visible sheets, the active one current. A click activates the
// sheet through the object model; the tabs follow the model's sheets when told to refresh.
class SheetTabs : public QTabBar
{
    Q_OBJECT

public:
    explicit SheetTabs(std::shared_ptr<host::objects::Workbook> book, QWidget* parent = nullptr);

    // Reads the sheets again: names, which are visible, which is active.
    void refresh();

private:
    void activate(int tab);

    std::shared_ptr<host::objects::Workbook> m_book;
    std::vector<int> m_sheetIndex; // tab → 0-based sheet index
    bool m_refreshing = false;
};

} // namespace host_app
