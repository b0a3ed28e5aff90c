#include "host_app/sheet_tabs.h"

#include "host/automation/host_error.h"
#include "host/model/workbook.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"
#include "host_app/commands/view_commands.h"

namespace host_app {

SheetTabs::SheetTabs(std::shared_ptr<host::objects::Workbook> book, QWidget* parent)
    : QTabBar(parent), m_book(std::move(book))
{
    setShape(QTabBar::RoundedSouth);
    setDrawBase(false);
    setExpanding(false);
    setUsesScrollButtons(true);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QTabBar::currentChanged, this, [this](int tab) { activate(tab); });
    refresh();
}

void SheetTabs::refresh()
{
    if (!m_book->attached())
        return;
    m_refreshing = true;
    const host::model::Workbook& book = m_book->model();
    m_sheetIndex.clear();
    int current = -1;
    for (size_t i = 0; i < book.sheets.size(); ++i) {
        const host::model::Sheet& sheet = *book.sheets[i];
        if (sheet.visibility != -1)
            continue;
        const int tab = int(m_sheetIndex.size());
        if (tab < count())
            setTabText(tab, sheet.name);
        else
            addTab(sheet.name);
        m_sheetIndex.push_back(int(i));
        if (int(i) == book.activeSheet)
            current = tab;
    }
    while (count() > int(m_sheetIndex.size()))
        removeTab(count() - 1);
    if (current >= 0)
        setCurrentIndex(current);
    m_refreshing = false;
}

void SheetTabs::activate(int tab)
{
    if (m_refreshing || tab < 0 || size_t(tab) >= m_sheetIndex.size() || !m_book->attached())
        return;
    try {
        commands::activateSheet(*m_book->sheetAt(m_sheetIndex[size_t(tab)]));
    } catch (const host::HostError&) {
        refresh(); // the sheet went meanwhile
    }
}

} // namespace host_app
