#pragma once

#include "host/model/cell_ref.h"
#include "host_app/sheet_gesture.h"

#include <QObject>
#include <QPointer>

#include <memory>

class QLineEdit;

namespace host::objects {
class Application;
class Worksheet;
} // namespace host::objects

namespace host_app {

class EditHistory;
class SheetView;

// Editing a cell in place and in the formula bar, the two showing one text. Typing on the
// sheet starts an edit that replaces the cell (arrows then end it and move), F2, a double
// click or a click in the formula bar one that changes what the cell holds (arrows move the
// caret). Enter and Tab write the text and move on (Shift backwards), Escape drops it, a click
// on the sheet writes it. While an edit is under way the host is in its cell-edit state:
// the commands that need it over (New, Open, inserting pictures) are disabled. Text the
// desktop's input method composes (Japanese) starts an edit as typing does.
class CellEditor : public QObject, public SheetGesture
{
    Q_OBJECT

public:
    enum class Mode
    {
        Enter, // typed over the cell: arrows end the edit
        Edit,  // the cell's own contents changed: arrows move the caret
    };

    CellEditor(SheetView& view, QLineEdit& formulaBar, EditHistory& history);
    ~CellEditor() override;

    bool editing() const { return m_sheet != nullptr; }
    QLineEdit& editor() const { return *m_editor; }
    QLineEdit& formulaBar() const { return *m_bar; }

    // Starts editing the active cell with `text` in the widget `focus` (the in-cell editor
    // when null). False when the cell may not change; the user was told why.
    bool begin(const QString& text, Mode mode, QLineEdit* focus = nullptr);
    // Writes the text into the cell and ends the edit; false when the host refused it (the
    // user was told, the edit goes on).
    bool commit();
    void cancel();

    // The formula bar shows the active cell when no edit is under way.
    void refresh();

    // SheetGesture: keys and clicks on the sheet while it has the focus.
    bool press(const PointerEvent& event) override;
    bool key(QKeyEvent* event) override;
    bool doubleClick(const PointerEvent& event) override;
    bool inputMethod(QInputMethodEvent* event) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool editorKey(QLineEdit& field, QKeyEvent* event);
    void end();
    void place();
    void setEditingState(bool on);
    // After a commit: the key that ended the edit moves the active cell, as on the sheet.
    void moveOn(int key, Qt::KeyboardModifiers modifiers);

    SheetView& m_view;
    host::objects::Application& m_app;
    QLineEdit* m_editor;
    QLineEdit* m_bar;
    EditHistory& m_history;
    std::shared_ptr<host::objects::Worksheet> m_sheet; // the sheet being edited
    host::model::CellRect m_cell;                      // its merged area
    Mode m_mode = Mode::Enter;
    bool m_ending = false;
    bool m_forwarding = false;
};

} // namespace host_app
