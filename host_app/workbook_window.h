#pragma once

#include "host_app/coalesced_refresh.h"

#include <QWidget>

#include <memory>

class QScrollBar;

namespace host::objects {
class Workbook;
}

namespace host_app {

class ModelSignals;
class SheetTabs;
class SheetView;

// A workbook's window inside the main window: the sheet view, its scroll bars and the sheet
// tabs. The scroll bars show and set the window's ScrollRow and ScrollColumn.
class WorkbookWindow : public QWidget
{
    Q_OBJECT

public:
    WorkbookWindow(std::shared_ptr<host::objects::Workbook> book, ModelSignals& signals,
                   QWidget* parent = nullptr);

    const std::shared_ptr<host::objects::Workbook>& book() const { return m_book; }
    SheetView& view() const { return *m_view; }
    SheetTabs& tabs() const { return *m_tabs; }
    QScrollBar& verticalBar() const { return *m_vertical; }
    QScrollBar& horizontalBar() const { return *m_horizontal; }

private:
    enum Refresh : unsigned
    {
        Bars = 1,
        Tabs = 2,
    };
    void refresh(unsigned what);
    void refreshBars();
    void scrollFromBars();

    std::shared_ptr<host::objects::Workbook> m_book;
    SheetView* m_view;
    SheetTabs* m_tabs;
    QScrollBar* m_vertical;
    QScrollBar* m_horizontal;
    CoalescedRefresh m_refresh;
    bool m_settingBars = false;
};

} // namespace host_app
