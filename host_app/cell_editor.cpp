#include "host_app/cell_editor.h"

#include "host/automation/host_error.h"
#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"
#include "host/render/cell_look.h"
#include "host_app/commands/edit_commands.h"
#include "host_app/commands/selection_commands.h"
#include "host_app/edit_history.h"
#include "host_app/sheet_layout.h"
#include "host_app/sheet_view.h"
#include "platform/message_box.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace host_app {

using host::model::CellRect;

namespace {

bool isArrow(int key)
{
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right;
}

void tell(host::objects::Application& app, const QString& text)
{
    platform::showMessage(text, platform::MsgButtons::OK, platform::MsgIcon::Exclamation,
                          app.caption());
}

} // namespace

CellEditor::CellEditor(SheetView& view, QLineEdit& formulaBar, EditHistory& history)
    : m_view(view), m_app(view.book().app()), m_editor(new QLineEdit(&view)), m_bar(&formulaBar),
      m_history(history)
{
    m_bar->setFocusPolicy(Qt::ClickFocus);
    m_editor->setFrame(false);
    m_editor->hide();
    m_editor->installEventFilter(this);
    m_bar->installEventFilter(this);
    connect(m_editor, &QLineEdit::textEdited, m_bar, [this](const QString& text) {
        m_bar->setText(text);
        place();
    });
    connect(m_bar, &QLineEdit::textEdited, m_editor, [this](const QString& text) {
        m_editor->setText(text);
        place();
    });
    connect(&view, &SheetView::viewMoved, this, [this] {
        // The sheet went from under the edit (another tab, another book): it is written first.
        if (editing() && m_view.sheet() != m_sheet)
            commit();
        place();
        refresh();
    });
}

CellEditor::~CellEditor()
{
    if (editing())
        setEditingState(false);
}

bool CellEditor::begin(const QString& text, Mode mode, QLineEdit* focus)
{
    if (editing())
        return true;
    const auto sheet = m_view.sheet();
    if (!sheet || !sheet->sheet().drawing.selection.empty())
        return false;
    const CellRect active = commands::activeCell(sheet->sheet());
    const CellRect cell = commands::withMerges(*sheet, active);
    if (!commands::cellChangeable(*sheet, cell)) {
        tell(sheet->book().app(), commands::protectedCellMessage());
        m_view.setFocus(Qt::OtherFocusReason);
        return false;
    }
    m_sheet = sheet;
    m_cell = cell;
    m_mode = mode;
    setEditingState(true);
    m_editor->setText(text);
    m_bar->setText(text);
    place();
    m_editor->show();
    QLineEdit* field = focus ? focus : m_editor;
    if (!field->hasFocus())
        field->setFocus(Qt::OtherFocusReason);
    field->setCursorPosition(int(text.size()));
    return true;
}

bool CellEditor::commit()
{
    if (!editing())
        return true;
    const QString text = m_editor->text();
    const auto sheet = m_sheet;
    try {
        if (sheet->attached())
            commands::enterText(m_history, *sheet, m_cell, text);
    } catch (const host::HostError& e) {
        tell(sheet->book().app(), e.description());
        return false;
    }
    end();
    return true;
}

void CellEditor::cancel()
{
    if (editing())
        end();
}

void CellEditor::end()
{
    m_ending = true;
    m_sheet.reset();
    m_editor->hide();
    setEditingState(false);
    m_view.setFocus(Qt::OtherFocusReason);
    m_ending = false;
    refresh();
}

void CellEditor::setEditingState(bool on)
{
    if (m_app.options().cellEditing == on)
        return;
    m_app.options().cellEditing = on;
    m_app.announce(host::objects::ChangeKind::Switches);
}

void CellEditor::refresh()
{
    if (editing())
        return;
    const auto sheet = m_view.sheet();
    m_bar->setText(sheet ? commands::formulaText(*sheet, commands::activeCell(sheet->sheet()))
                         : QString());
    m_bar->setEnabled(bool(sheet));
}

void CellEditor::place()
{
    if (!editing())
        return;
    const auto layout = m_view.layout();
    if (!layout)
        return;
    const QRectF cell = layout->cellRect(m_cell);
    const host::model::Cell* stored = m_sheet->sheet().cell(m_cell.top, m_cell.left);
    const host::render::LookTable looks(m_view.book().model());
    QFont font = looks.look(stored ? stored->style : 0).font;
    font.setPixelSize(std::max(1, int(font.pointSizeF() * layout->scale() + 0.5)));
    m_editor->setFont(font);
    // The editor grows to the right over the cells beside as the text gets longer.
    const int textWidth = QFontMetrics(font).horizontalAdvance(m_editor->text()) + 8;
    const QRect area = layout->cellArea();
    const int width =
        std::min(std::max(int(cell.width()) + 1, textWidth), area.right() - int(cell.left()));
    m_editor->setGeometry(int(cell.left()), int(cell.top()), std::max(width, 8),
                          std::max(int(cell.height()) + 1, QFontMetrics(font).height()));
}

void CellEditor::moveOn(int key, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QCoreApplication::sendEvent(&m_view, &event);
}

bool CellEditor::editorKey(QLineEdit& field, QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (key == Qt::Key_Escape) {
        cancel();
        return true;
    }
    const bool ends = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab ||
                      key == Qt::Key_Backtab ||
                      (isArrow(key) && m_mode == Mode::Enter && &field == m_editor);
    if (!ends)
        return false;
    if (commit())
        moveOn(key == Qt::Key_Enter ? int(Qt::Key_Return) : key, mods);
    return true;
}

bool CellEditor::eventFilter(QObject* watched, QEvent* event)
{
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (!field)
        return QObject::eventFilter(watched, event);
    // A click in the formula bar, or a key typed there, edits the active cell's contents.
    const bool startsEdit =
        field == m_bar && !editing() && !m_ending &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress ||
         (event->type() == QEvent::FocusIn &&
          static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason));
    if (startsEdit && !begin(m_bar->text(), Mode::Edit, m_bar))
        return true;
    if (event->type() == QEvent::KeyPress && editing())
        return editorKey(*field, static_cast<QKeyEvent*>(event));
    return QObject::eventFilter(watched, event);
}

bool CellEditor::press(const PointerEvent&)
{
    // A click on the sheet writes what was typed; the click then selects as usual, unless
    // the host refused the text.
    return editing() && !commit();
}

bool CellEditor::doubleClick(const PointerEvent& event)
{
    if (event.button != Qt::LeftButton || event.hit.part != ViewHit::Part::Cells ||
        event.hit.shapeId != 0)
        return false;
    const auto sheet = m_view.sheet();
    if (!sheet || !sheet->sheet().drawing.selection.empty())
        return false;
    const CellRect active = commands::activeCell(sheet->sheet());
    if (!commands::withMerges(*sheet, active).contains(event.hit.row, event.hit.column))
        return false;
    begin(commands::formulaText(*sheet, commands::withMerges(*sheet, active)), Mode::Edit);
    return true;
}

bool CellEditor::key(QKeyEvent* event)
{
    if (editing()) {
        // A key the editor let through comes up to the sheet: it stays unused.
        if (m_forwarding || m_editor->hasFocus() || m_bar->hasFocus())
            return true;
        // Keys that reached the sheet before the focus moved to the editor follow it.
        if (editorKey(*m_editor, event))
            return true;
        QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(),
                       event->isAutoRepeat(), ushort(event->count()));
        m_forwarding = true;
        QCoreApplication::sendEvent(m_editor, &copy);
        m_forwarding = false;
        return true;
    }
    const auto sheet = m_view.sheet();
    if (!sheet || !sheet->sheet().drawing.selection.empty())
        return false;
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (event->key() == Qt::Key_F2 && !(mods & ~Qt::KeypadModifier)) {
        const CellRect cell = commands::withMerges(*sheet, commands::activeCell(sheet->sheet()));
        begin(commands::formulaText(*sheet, cell), Mode::Edit);
        return true;
    }
    if (event->key() == Qt::Key_Delete && !(mods & ~Qt::KeypadModifier)) {
        try {
            commands::clearContents(m_history, *sheet, sheet->sheet().view.selection);
        } catch (const host::HostError& e) {
            tell(sheet->book().app(), sheet->sheet().protection.sheet
                                          ? commands::protectedCellMessage()
                                          : e.description());
        }
        return true;
    }
    if (event->key() == Qt::Key_Backspace) {
        begin(QString(), Mode::Enter);
        return true;
    }
    const QString text = event->text();
    if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (text.isEmpty() || !text.front().isPrint())
        return false;
    begin(text, Mode::Enter);
    return true;
}

bool CellEditor::inputMethod(QInputMethodEvent* event)
{
    if (editing()) {
        QCoreApplication::sendEvent(m_editor, event);
        return true;
    }
    if (event->preeditString().isEmpty() && event->commitString().isEmpty())
        return false;
    if (!begin(QString(), Mode::Enter))
        return true;
    QCoreApplication::sendEvent(m_editor, event);
    m_bar->setText(m_editor->text());
    return true;
}

} // namespace host_app
