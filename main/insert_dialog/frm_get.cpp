#include "main/insert_dialog/frm_get.h"

#include "main/trimming_dialog/dialog_manual_fill.h"

#include "main/about/program_version.h"
#include "main/controls/use_text_box.h"
#include "main/controls/window_services.h"
#include "main/insert_dialog/app_with_events.h"
#include "main/insert_dialog/dialog_icons.h"
#include "main/insert_dialog/host_window_state.h"
#include "main/insert_dialog/picture_list_model.h"
#include "main/insert_dialog/picture_list_view.h"
#include "main/insert_dialog/thumbnail_loader.h"
#include "main/startup/host_window.h"
#include "main/startup/startup_context.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>

namespace picrows {

void DialogStatusPanel::setText(const QString& text)
{
    m_panel1->setText(text);
}

void DialogStatusPanel::reset()
{
    m_panel1->clear();
    m_panel2->setText(statusVersionText(programVersion()));
}

QString frmGet::formName()
{
    return QStringLiteral("frmGet");
}

frmGet::frmGet(QWidget* parent)
    : QDialog(parent), m_setting(*startupContext().gobjSetting), m_store(*startupContext().store),
      m_app(startupContext().gobjXlApp)
{
    setObjectName(formName());
    setSizeGripEnabled(true);
    buildControls();
    Form_Load();
}

frmGet::~frmGet()
{
    closingSteps();
    m_setting.setInsertionDialog(nullptr);
    // The workers stop before the model they deliver to goes.
    delete m_loader;
    m_loader = nullptr;
}

// Where the dialog opens: over the host's window, unless a placement was saved.
void frmGet::placeWindow()
{
    const double tpp = twipsPerPixel(this);
    resize(std::max(int(kMinWidthTwips / tpp), 430), std::max(int(kMinHeightTwips / tpp), 660));
    QRect over;
    if (const auto host = hostWindowState().frame(m_hostWindow))
        over = *host;
    else if (const QScreen* screen = this->screen())
        over = screen->availableGeometry();
    if (!over.isEmpty()) {
        QRect mine(QPoint(), size());
        mine.moveCenter(over.center());
        move(std::max(0, mine.left()), std::max(0, mine.top()));
    }
    c_WinPosition(m_store).restore(*this, formName(), true);
}

void frmGet::Form_Load()
{
    // 1. Caption, owner, placement, the offset boxes, the least size.
    setWindowTitle(platform::programTitle());
    m_hostWindow = f_GetXlHwnd();
    s_SetParentWindow(this, m_hostWindow);
    placeWindow();
    for (useTextBox* box : {m_utxtPasteInfoX, m_utxtPasteInfoY}) {
        box->setMin(-10);
        box->setMax(10);
        box->setDecimalLength(0);
        box->setBackToTop(false);
        box->setUpDownChangeValue(1);
    }
    const double tpp = twipsPerPixel(this);
    ResizeLimiter::instance(ResizeLimiter::Main)
        .start(this, int(std::lround(kMinWidthTwips / tpp)),
               int(std::lround(kMinHeightTwips / tpp)));

    // 2. Thumbnails, the empty list.
    if (m_setting.IconWidth() >= 1 && m_setting.IconHeight() >= 1) {
        const QSize size(m_setting.IconWidth(), m_setting.IconHeight());
        m_loader = new ThumbnailLoader(size);
        m_model->setThumbnails(m_loader);
        m_list->setIconSize(size);
    }
    m_pictures.clear();
    m_loading = true;

    // 3. The items of the two lists.
    m_icboResize->addItem(dialogIcon(QStringLiteral("PITTARI")), QStringLiteral("ぴったり"), 0);
    m_icboResize->addItem(dialogIcon(QStringLiteral("SUPPORI")), QStringLiteral("すっぽり"), 1);
    m_icboResize->addItem(dialogIcon(QStringLiteral("BISSIRI")), QStringLiteral("びっしり（自動）"),
                          2);
    m_icboResize->addItem(dialogIcon(QStringLiteral("BISSIRI")), QStringLiteral("びっしり（手動）"),
                          3);
    m_icboResize->setCurrentIndex(-1);
    m_cboPasteInfoType->addItem(QStringLiteral("セルに文字列を挿入"));
    m_cboPasteInfoType->addItem(QStringLiteral("テキストボックスとして挿入"));

    // 4. The stored options.
    loadOptions();

    // 5.
    m_loading = false;
    applyPasteInfoHeight();
    refreshControls();
    resetStatus();
    SetToolTip();

    m_setting.setInsertionDialog(this);
    m_exclusionView = std::make_unique<JogaiMsgView>(this);
    m_timCheckXlhandle->start();
}

void frmGet::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // The saved size is the outer one, and the window's frame is known only once it is shown:
    // placed again then, the frame is not added on top of the saved size.
    QTimer::singleShot(0, this, [this] {
        if (!m_closed)
            c_WinPosition(m_store).restore(*this, formName(), true);
    });
}

void frmGet::setEventSink(std::unique_ptr<c_AppWithEvents> sink)
{
    m_sink = std::move(sink);
    if (m_sink)
        m_sink->setDialog(this);
}

void frmGet::RemoveFastList()
{
    m_pictures.RemoveFastList();
    refreshControls();
}

bool frmGet::closeRefused() const
{
    // A run has the dialog and its list in use until it returns.
    return m_busyAdding || isRunning();
}

void frmGet::reject()
{
    if (closeRefused())
        return;
    closingSteps();
    QDialog::reject();
}

void frmGet::closeEvent(QCloseEvent* event)
{
    if (closeRefused()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event); // through reject()
}

void frmGet::closingSteps()
{
    if (m_closed)
        return;
    m_closed = true;
    m_timClipboard->stop();
    m_timToolTips->stop();
    m_timCheckXlhandle->stop();
    for (const QString& file : std::as_const(m_captures))
        QFile::remove(file);
    m_captures.clear();
    ResizeLimiter& limiter = ResizeLimiter::instance(ResizeLimiter::Main);
    if (limiter.window() == this)
        limiter.stop();
    m_tipHook = false;
    hideTipPicture();
    c_WinPosition(m_store).save(*this, formName(), true);
    storeOptions();
    m_sink.reset();
    m_pictures.clear();
    m_setting.setInsertionDialog(nullptr);
}

bool frmGet::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtPasteInfo && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_J && (key->modifiers() & Qt::ControlModifier)) {
            insertIntoTemplate(QStringLiteral("\n"));
            return true;
        }
        // A line break comes only by Ctrl+J; Enter is not typed into the template.
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            return true;
        return false;
    }
    if (watched == m_picToolTip && event->type() == QEvent::MouseButtonPress) {
        hideTipPicture();
        return true;
    }
    if (m_tipHook && event->type() == QEvent::MouseMove) {
        auto* widget = qobject_cast<QWidget*>(watched);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (widget && (widget == m_tlbGo || m_tlbGo->isAncestorOf(widget)) &&
            mouse->buttons() == Qt::NoButton)
            modeBarMouseMove(widget->mapTo(m_tlbGo, mouse->position().toPoint()).x());
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace picrows
