#include "host_app/app_switches.h"

#include "host/objects/application.h"
#include "host_app/model_signals.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace host_app {

namespace {

using host::objects::kCursorDefault;

Qt::CursorShape shapeOf(int cursor)
{
    switch (cursor) {
    case host::objects::kCursorWait:
        return Qt::WaitCursor;
    case host::objects::kCursorIBeam:
        return Qt::IBeamCursor;
    default:
        return Qt::ArrowCursor;
    }
}

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::InputMethod: // text the desktop's input method composed
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
        return true;
    default:
        return false;
    }
}

} // namespace

AppSwitches::AppSwitches(host::objects::Application& app, ModelSignals& signals, QObject* parent)
    : QObject(parent), m_app(app), m_cursor(kCursorDefault)
{
    connect(&signals, &ModelSignals::switchesChanged, this, [this] { follow(); });
    follow();
}

AppSwitches::~AppSwitches()
{
    if (!m_interactive)
        qApp->removeEventFilter(this);
    if (m_overriding)
        QApplication::restoreOverrideCursor();
}

void AppSwitches::follow()
{
    const bool interactive = m_app.interactive();
    if (interactive != m_interactive) {
        m_interactive = interactive;
        if (interactive)
            qApp->removeEventFilter(this);
        else
            qApp->installEventFilter(this);
    }
    const int cursor = m_app.cursor();
    if (cursor != m_cursor) {
        m_cursor = cursor;
        if (cursor == kCursorDefault) {
            if (m_overriding)
                QApplication::restoreOverrideCursor();
            m_overriding = false;
        } else if (m_overriding) {
            QApplication::changeOverrideCursor(QCursor(shapeOf(cursor)));
        } else {
            QApplication::setOverrideCursor(QCursor(shapeOf(cursor)));
            m_overriding = true;
        }
    }
}

bool AppSwitches::eventFilter(QObject* watched, QEvent* event)
{
    // A dialog that code put up (a save dialog asked for through automation, a message) is
    // how that code asks the user: it takes the input meant for it, while the modal state
    // keeps the windows beneath it closed to the user.
    return !m_interactive && watched->isWidgetType() && isUserInput(event->type()) &&
           !QApplication::activeModalWidget();
}

} // namespace host_app
