#include "main/controls/modal_loop.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <vector>

namespace picrows {

namespace {

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
    case QEvent::Drop:
    case QEvent::DragEnter:
    case QEvent::DragMove:
        return true;
    default:
        return false;
    }
}

// Drops input meant for windows below the innermost dialog shown by showModal. Windows that
// belong to that dialog (its menus, tooltips, message boxes and file dialogs, anything whose
// chain of owners or parents reaches it) and Qt's own modal dialogs get their input.
class InputBlocker : public QObject
{
public:
    std::vector<QPointer<QDialog>> stack;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!isUserInput(event->type()) || stack.empty())
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget)
            return false;
        QDialog* top = stack.back();
        if (!top)
            return false;
        if (belongsTo(widget->window(), top))
            return false;
        if (event->type() == QEvent::MouseButtonPress) {
            top->raise();
            top->activateWindow();
        }
        return true;
    }

private:
    static bool belongsTo(QWidget* window, QDialog* top)
    {
        if (window == top || window->windowType() == Qt::Popup ||
            window->windowType() == Qt::ToolTip || window->isModal())
            return true;
        for (QWidget* w = window; w; w = w->parentWidget())
            if (w == top)
                return true;
        // Owned across the window system (a transient parent set on the native window).
        for (QWindow* w = window->windowHandle(); w; w = w->transientParent())
            if (w == top->windowHandle())
                return true;
        return false;
    }
};

InputBlocker& blocker()
{
    static InputBlocker* instance = [] {
        auto* b = new InputBlocker;
        b->setParent(qApp);
        qApp->installEventFilter(b);
        return b;
    }();
    return *instance;
}

} // namespace

int showModal(QDialog& dialog)
{
    InputBlocker& b = blocker();
    QPointer<QDialog> guard(&dialog);
    b.stack.emplace_back(&dialog);
    QEventLoop loop;
    QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    QObject::connect(&dialog, &QObject::destroyed, &loop, &QEventLoop::quit);
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
    if (dialog.isVisible())
        loop.exec(QEventLoop::DialogExec);
    std::erase_if(b.stack, [&](const QPointer<QDialog>& d) { return !d || d == guard; });
    return guard ? guard->result() : QDialog::Rejected;
}

QDialog* currentModalDialog()
{
    InputBlocker& b = blocker();
    std::erase_if(b.stack, [](const QPointer<QDialog>& d) { return !d; });
    return b.stack.empty() ? nullptr : b.stack.back().data();
}

} // namespace picrows
