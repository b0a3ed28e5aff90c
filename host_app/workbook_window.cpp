#include "host_app/workbook_window.h"

#include "host/automation/host_error.h"
#include "host/model/workbook.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"
#include "host/render/sheet_render.h"
#include "host_app/cell_editor.h"
#include "host_app/cell_menu.h"
#include "host_app/commands/selection_commands.h"
#include "host_app/commands/view_commands.h"
#include "host_app/crop_mode.h"
#include "host_app/edit_history.h"
#include "host_app/edit_menu.h"
#include "host_app/header_resize.h"
#include "host_app/model_signals.h"
#include "host_app/shape_drag.h"
#include "host_app/sheet_layout.h"
#include "host_app/sheet_menu.h"
#include "host_app/sheet_tabs.h"
#include "host_app/sheet_view.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>

#include <algorithm>

namespace host_app {

namespace {

// The editor stays the window's; the view offers it its clicks and keys first.
class ForwardGesture : public SheetGesture
{
public:
    explicit ForwardGesture(SheetGesture& to) : m_to(to) {}
    bool press(const PointerEvent& event) override { return m_to.press(event); }
    void move(const PointerEvent& event) override { m_to.move(event); }
    void release(const PointerEvent& event) override { m_to.release(event); }
    bool key(QKeyEvent* event) override { return m_to.key(event); }
    bool doubleClick(const PointerEvent& event) override { return m_to.doubleClick(event); }
    bool inputMethod(QInputMethodEvent* event) override { return m_to.inputMethod(event); }

private:
    SheetGesture& m_to;
};

} // namespace

WorkbookWindow::WorkbookWindow(std::shared_ptr<host::objects::Workbook> book, ModelSignals& signals,
                               EditHistory& history, HostDialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_book(std::move(book)), m_history(history), m_nameBox(new QLabel(this)),
      m_formulaBar(new QLineEdit(this)), m_view(new SheetView(m_book, signals, this)),
      m_tabs(new SheetTabs(m_book, this)), m_vertical(new QScrollBar(Qt::Vertical, this)),
      m_horizontal(new QScrollBar(Qt::Horizontal, this)),
      m_refresh([this](unsigned what) { refresh(what); })
{
    m_history.stackFor(*m_book);
    m_sheetActions = std::make_unique<SheetActions>(m_book, m_history, dialogs, this);
    connect(m_tabs, &SheetTabs::moveRequested, this, [this](int sheet, int to) {
        m_sheetActions->move(sheet, to);
        m_refresh.request(Tabs);
    });
    connect(m_tabs, &SheetTabs::renameRequested, this,
            [this](int sheet) { m_sheetActions->rename(sheet); });
    connect(m_tabs, &SheetTabs::groupRequested, this,
            [this](int sheet, bool span) { m_sheetActions->group(sheet, span); });
    connect(m_tabs, &SheetTabs::menuRequested, this, [this](int sheet, const QPoint& at) {
        auto* menu = new QMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        m_sheetActions->fillMenu(*menu, sheet);
        menu->popup(at);
    });
    m_editor = new CellEditor(*m_view, *m_formulaBar, m_history);
    m_editor->setParent(this);
    m_view->insertGesture(0, std::make_unique<ForwardGesture>(*m_editor));
    m_view->insertGesture(1, std::make_unique<HeaderResizeGesture>(*m_view, m_history));
    auto cropMode = std::make_unique<CropMode>(*m_view, m_history);
    m_cropMode = cropMode.get();
    m_view->insertGesture(0, std::move(cropMode));
    // Before the shape clicks: a plain press on a shape starts a move.
    m_view->insertGesture(3, std::make_unique<ShapeDragGesture>(*m_view, m_history));
    m_view->insertGesture(4, std::make_unique<ClipboardKeys>(*m_view, m_history));
    connect(m_view, &SheetView::cellMenuRequested, this,
            [this](ViewHit::Part part, const QPoint& at) {
                auto* menu = new QMenu(this);
                menu->setAttribute(Qt::WA_DeleteOnClose);
                CellMenu::fill(*menu, part, *m_view, m_history);
                menu->popup(at);
            });
    m_nameBox->setMinimumWidth(90);
    m_nameBox->setFrameShape(QFrame::StyledPanel);
    m_formulaBar->setObjectName(QStringLiteral("formulaBar"));
    // The formula bar takes the keys only when clicked: a window opens with the cells' focus,
    // and Tab moves between cells, not into the bar.
    m_formulaBar->setFocusPolicy(Qt::ClickFocus);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(2, 2, 2, 2);
    bar->addWidget(m_nameBox);
    bar->addWidget(m_formulaBar, 1);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addLayout(bar, 0, 0, 1, 3);
    grid->addWidget(m_view, 1, 0, 1, 2);
    grid->addWidget(m_vertical, 1, 2);
    grid->addWidget(m_tabs, 2, 0);
    grid->addWidget(m_horizontal, 2, 1, 1, 2);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 3);
    grid->setRowStretch(1, 1);
    setFocusProxy(m_view);
    connect(
        &signals, &ModelSignals::sheetChanged, this,
        [this](const host::model::Sheet*, host::objects::ChangeKind) { m_refresh.request(Cells); });

    connect(m_view, &SheetView::viewMoved, this, [this] { m_refresh.request(Bars); });
    connect(&signals, &ModelSignals::sheetsChanged, this,
            [this](const host::objects::Workbook* book) {
                if (book == m_book.get())
                    m_refresh.request(Tabs | Bars | Cells);
            });
    connect(&signals, &ModelSignals::workbooksChanged, this, [this] { m_refresh.request(Tabs); });
    connect(m_vertical, &QScrollBar::valueChanged, this, [this] { scrollFromBars(); });
    connect(m_horizontal, &QScrollBar::valueChanged, this, [this] { scrollFromBars(); });
    refresh(Bars | Tabs | Cells);
}

WorkbookWindow::~WorkbookWindow() = default;

void WorkbookWindow::refresh(unsigned what)
{
    if (!m_book->attached())
        return;
    if (what & Tabs)
        m_tabs->refresh();
    if (what & Bars)
        refreshBars();
    if (what & Cells) {
        refreshNameBox();
        m_editor->refresh();
    }
}

void WorkbookWindow::refreshNameBox()
{
    const auto sheet = m_view->sheet();
    m_nameBox->setText(sheet ? host::model::formatA1(commands::activeCell(sheet->sheet()), false)
                             : QString());
}

void WorkbookWindow::refreshBars()
{
    const auto layout = m_view->layout();
    m_vertical->setEnabled(bool(layout));
    m_horizontal->setEnabled(bool(layout));
    if (!layout)
        return;
    const host::model::Sheet& sheet = layout->sheet();
    const host::model::CellRect shown = layout->visibleCells();
    const host::model::CellRect used = host::render::usedArea(m_book->model(), sheet);
    // The bars reach past what is used by a screenful, and as far as the view has gone.
    const int lastRow =
        std::min(host::model::kMaxRows, std::max(used.bottom, sheet.view.topRow) + shown.rows());
    const int lastColumn = std::min(host::model::kMaxColumns,
                                    std::max(used.right, sheet.view.leftColumn) + shown.columns());
    m_settingBars = true;
    m_vertical->setRange(1, lastRow);
    m_vertical->setPageStep(std::max(1, shown.rows() - 1));
    m_vertical->setValue(sheet.view.topRow);
    m_horizontal->setRange(1, lastColumn);
    m_horizontal->setPageStep(std::max(1, shown.columns() - 1));
    m_horizontal->setValue(sheet.view.leftColumn);
    m_settingBars = false;
}

void WorkbookWindow::scrollFromBars()
{
    if (m_settingBars || !m_view->sheet())
        return;
    try {
        commands::scrollTo(*m_book, m_vertical->value(), m_horizontal->value());
    } catch (const host::HostError&) {
        m_refresh.request(Bars);
    }
}

} // namespace host_app
