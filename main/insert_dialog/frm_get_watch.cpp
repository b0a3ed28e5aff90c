// The three timers of frmGet (clipboard watch, tooltip pictures, host watch) and the hook on
// the mode toolbar that shows a mode button's picture.
#include "main/insert_dialog/clipboard_capture.h"
#include "main/insert_dialog/dialog_icons.h"
#include "main/insert_dialog/frm_get.h"
#include "main/insert_dialog/host_window_state.h"
#include "main/insert_dialog/picture_list_view.h"
#include "platform/message_box.h"
#include "platform/temp_files.h"

#include <QClipboard>
#include <QCursor>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

#include <cstdlib>

#include <xcb/xcb.h>

namespace picrows {

namespace {

// Empties the desktop's clipboard, taking it from the program that holds it. On X11 the
// selection is released at the server's current time: Qt's own clear lets go only of what this
// program holds, and a new owner stamped with this program's last event time is refused by
// the server when the other program took the clipboard later, which would leave the picture
// there to be captured again on the next tick.
void emptyClipboard()
{
    QGuiApplication::clipboard()->clear();
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    static const char kName[] = "CLIPBOARD";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, sizeof kName - 1, kName), nullptr);
    if (!atom)
        return;
    xcb_set_selection_owner(connection, XCB_NONE, atom->atom, XCB_CURRENT_TIME);
    std::free(atom);
    xcb_flush(connection);
}

} // namespace

void frmGet::clipButtonToggled(bool pressed)
{
    emptyClipboard();
    if (pressed)
        m_timClipboard->start();
    else
        m_timClipboard->stop();
}

void frmGet::timClipboard_Timer()
{
    if (m_busyAdding || isRunning())
        return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    const ClipboardPicture picture = clipboardPicture(clipboard->mimeData());
    if (picture.kind == ClipboardPicture::Kind::None)
        return;
    emptyClipboard();
    const QString path = platform::F_GetTempFileFullpath(QStringLiteral("Clipboard_"));
    if (path.isEmpty()) {
        platform::showMessage(
            QStringLiteral("OSの一時フォルダが利用できないため、クリップボードから取得できません。"
                           "\r\nOKを押すと、本機能を停止します。"),
            platform::MsgButtons::OK, platform::MsgIcon::Critical, platform::programTitle());
        m_btnClip->setChecked(false);
        m_btnClip->setEnabled(false);
        m_timClipboard->stop();
        return;
    }
    if (!saveClipboardPicture(picture, path)) {
        // This tick ends; the next copy is tried again.
        QFile::remove(path);
        return;
    }
    m_captures << path;
    clearSortIndicator();
    m_pictures.append(path);
    m_list->scrollToBottom();
    refreshControls();
}

void frmGet::SetToolTip()
{
    if (m_setting.ShowToolTipImages()) {
        m_btnExcelMode->setToolTip(QString());
        m_btnSelectedMode->setToolTip(QString());
        m_btnClickMode->setToolTip(QString());
        m_tipHook = true;
    } else {
        m_tipHook = false;
        hideTipPicture();
        m_btnExcelMode->setToolTip(QStringLiteral("全設定を無視してエクセル標準の方法で一括挿入"));
        m_btnSelectedMode->setToolTip(QStringLiteral("すでに選択中のセルに一括挿入"));
        m_btnClickMode->setToolTip(QStringLiteral("これからセルを選択する毎に連続挿入"));
    }
}

// Buttons 1, 2 and 4 of the mode toolbar (3 is the separator), by the pointer's x position.
void frmGet::modeBarMouseMove(int x)
{
    const auto over = [x](const QWidget* button) {
        return x >= button->x() && x < button->x() + button->width();
    };
    int button = 0;
    if (over(m_btnExcelMode))
        button = 1;
    else if (over(m_btnSelectedMode))
        button = 2;
    else if (over(m_btnClickMode))
        button = 4;
    if (button == 0)
        hideTipPicture();
    else if (button != m_tipShown)
        showTipPicture(button);
}

void frmGet::showTipPicture(int button)
{
    hideTipPicture();
    const QString key = button == 1   ? QStringLiteral("EXCELMODE")
                        : button == 2 ? QStringLiteral("SELECTEDMODE")
                                      : QStringLiteral("CLICKMODE");
    m_picToolTip->setProperty("key", key);
    m_picToolTip->setPixmap(QPixmap::fromImage(modeTipPicture(key)));
    m_picToolTip->setGeometry(QRect(m_tlbGo->mapTo(this, QPoint(0, m_tlbGo->height())), kTipSize));
    m_picToolTip->raise();
    m_picToolTip->setVisible(true);
    m_tipShown = button;
    m_timToolTips->start();
}

void frmGet::hideTipPicture()
{
    m_picToolTip->setVisible(false);
    m_tipShown = 0;
}

void frmGet::timToolTips_Timer()
{
    const QRect bar(m_tlbGo->mapToGlobal(QPoint(0, 0)), m_tlbGo->size());
    if (bar.contains(QCursor::pos()))
        return;
    hideTipPicture();
    m_timToolTips->stop();
}

void frmGet::timCheckXlhandle_Timer()
{
    if (m_hostWindow == 0 ||
        hostWindowState().presence(m_hostWindow) != HostWindowState::Presence::Gone)
        return;
    // A run or an addition in progress finishes first; the watch looks again after it.
    if (closeRefused())
        return;
    m_timCheckXlhandle->stop();
    close();
}

} // namespace picrows
