#pragma once

#include "host_app/coalesced_refresh.h"

#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class QScrollBar;

namespace host::objects {
class Workbook;
}

namespace host_app {

class CellEditor;
class CropMode;
class EditHistory;
class HostDialogs;
class ModelSignals;
class SheetActions;
class SheetTabs;
class SheetView;

// A workbook's window inside the main window: the name box and formula bar over the sheet
// view, its scroll bars and the sheet tabs. The scroll bars show and set the window's
// ScrollRow and ScrollColumn; the user's edits go on the workbook's stack of `history`.
class WorkbookWindow : public QWidget
{
    Q_OBJECT

public:
    WorkbookWindow(std::shared_ptr<host::objects::Workbook> book, ModelSignals& signals,
                   EditHistory& history, HostDialogs& dialogs, QWidget* parent = nullptr);
    ~WorkbookWindow() override;

    const std::shared_ptr<host::objects::Workbook>& book() const { return m_book; }
    SheetView& view() const { return *m_view; }
    SheetTabs& tabs() const { return *m_tabs; }
    CellEditor& cellEditor() const { return *m_editor; }
    QLineEdit& formulaBar() const { return *m_formulaBar; }
    QLabel& nameBox() const { return *m_nameBox; }
    EditHistory& history() const { return m_history; }
    SheetActions& sheetActions() const { return *m_sheetActions; }
    CropMode& cropMode() const { return *m_cropMode; }
    QScrollBar& verticalBar() const { return *m_vertical; }
    QScrollBar& horizontalBar() const { return *m_horizontal; }

private:
    enum Refresh : unsigned
    {
        Bars = 1,
        Tabs = 2,
        Cells = 4, // the name box and the formula bar
    };
    void refresh(unsigned what);
    void refreshBars();
    void scrollFromBars();
    void refreshNameBox();

    std::shared_ptr<host::objects::Workbook> m_book;
    EditHistory& m_history;
    QLabel* m_nameBox;
    QLineEdit* m_formulaBar;
    SheetView* m_view;
    CellEditor* m_editor;
    CropMode* m_cropMode; // owned by the view, as its gestures are
    std::unique_ptr<SheetActions> m_sheetActions;
    SheetTabs* m_tabs;
    QScrollBar* m_vertical;
    QScrollBar* m_horizontal;
    CoalescedRefresh m_refresh;
    bool m_settingBars = false;
};

} // namespace host_app
