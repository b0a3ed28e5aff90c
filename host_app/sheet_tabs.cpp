#include "host_app/sheet_tabs.h"

#include "host/automation/host_error.h"
#include "host/model/workbook.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"
#include "host_app/commands/view_commands.h"

#include <QContextMenuEvent>
#include <QMouseEvent>

namespace host_app {

SheetTabs::SheetTabs(std::shared_ptr<host::objects::Workbook> book, QWidget* parent)
    : QTabBar(parent), m_book(std::move(book))
{
    setShape(QTabBar::RoundedSouth);
    setDrawBase(false);
    setExpanding(false);
    setUsesScrollButtons(true);
    setFocusPolicy(Qt::NoFocus);
    setMovable(true);
    connect(this, &QTabBar::currentChanged, this, [this](int tab) { activate(tab); });
    connect(this, &QTabBar::tabMoved, this, [this](int from, int to) {
        if (m_refreshing)
            return;
        // The bar moved the tab already; the model decides, and the tabs follow it.
        const int sheet = m_sheetIndex[size_t(from)];
        const int target = m_sheetIndex[size_t(to)];
        std::swap(m_sheetIndex[size_t(from)], m_sheetIndex[size_t(to)]);
        Q_EMIT moveRequested(sheet, target);
    });
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
        // Grouped sheets show their tabs in the selection's colour.
        setTabTextColor(tab, sheet.view.tabSelected && int(i) != book.activeSheet
                                 ? palette().color(QPalette::Highlight)
                                 : palette().color(QPalette::WindowText));
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

int SheetTabs::sheetOf(int tab) const
{
    return tab >= 0 && size_t(tab) < m_sheetIndex.size() ? m_sheetIndex[size_t(tab)] : -1;
}

void SheetTabs::mousePressEvent(QMouseEvent* event)
{
    const int tab = tabAt(event->position().toPoint());
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (event->button() == Qt::LeftButton && tab >= 0 &&
        (mods & (Qt::ControlModifier | Qt::ShiftModifier))) {
        Q_EMIT groupRequested(sheetOf(tab), bool(mods & Qt::ShiftModifier));
        return;
    }
    QTabBar::mousePressEvent(event);
}

void SheetTabs::mouseDoubleClickEvent(QMouseEvent* event)
{
    const int tab = tabAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && tab >= 0)
        Q_EMIT renameRequested(sheetOf(tab));
}

void SheetTabs::contextMenuEvent(QContextMenuEvent* event)
{
    const int tab = tabAt(event->pos());
    if (tab >= 0)
        Q_EMIT menuRequested(sheetOf(tab), event->globalPos());
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
