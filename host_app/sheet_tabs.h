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

    // Reads the sheets again: names, which are visible, which is active, which are grouped.
    void refresh();
    // The sheet (0-based among all the workbook's sheets) a tab shows; -1 for none.
    int sheetOf(int tab) const;

Q_SIGNALS:
    // The user's gestures on the tabs, for the window's sheet commands: a tab dragged to
    // another place (`to` 0-based among all sheets), a right click, a double click, a click
    // with Ctrl (`span` false) or Shift.
    void moveRequested(int sheet, int to);
    void menuRequested(int sheet, const QPoint& globalPos);
    void renameRequested(int sheet);
    void groupRequested(int sheet, bool span);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void activate(int tab);

    std::shared_ptr<host::objects::Workbook> m_book;
    std::vector<int> m_sheetIndex; // tab → 0-based sheet index
    bool m_refreshing = false;
};

} // namespace host_app
