#include "main/controls/window_services.h"

#include "platform/message_box.h"
#include "platform/settings_store.h"

#include "host/automation/variant.h"

#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <cfloat>
#include <cmath>
#include <optional>

namespace picrows {

void s_SetParentWindow(QWidget* window, std::int32_t ownerWindowId)
{
    if (!window || ownerWindowId == 0)
        return;
    window->winId(); // creates the native window, so that it has a handle to own
    QWindow* handle = window->windowHandle();
    if (!handle)
        return;
    QWindow* owner = QWindow::fromWinId(WId(quint32(ownerWindowId)));
    if (!owner)
        return;
    // The foreign window lives as long as the dialog it owns.
    static_cast<QObject*>(owner)->setParent(window);
    handle->setTransientParent(owner);
}

double twipsPerPixel(const QWidget* widget)
{
    const QScreen* screen = widget ? widget->screen() : nullptr;
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

QString c_WinPosition::section()
{
    return QStringLiteral("position");
}

QString c_WinPosition::keyPrefix(const QString& formName)
{
    return formName.mid(3);
}

namespace {

// A stored single-precision value as the settings store converts it: the text's leading
// number; one that does not fit a single gives the initial 0.
std::optional<double> storedTwips(const platform::SettingsStore& store, const QString& key)
{
    const std::optional<QString> text = store.value(c_WinPosition::section(), key);
    if (!text)
        return std::nullopt;
    const double v = host::leadingNumber(*text);
    if (!std::isfinite(v) || std::fabs(v) > double(FLT_MAX))
        return 0.0;
    return double(float(v));
}

QString twipsText(double twips)
{
    return QString::number(double(float(twips)), 'g', 7);
}

} // namespace

void c_WinPosition::restore(QWidget& dialog, const QString& formName, bool resizable) const
{
    const QString prefix = keyPrefix(formName);
    const double tpp = twipsPerPixel(&dialog);
    const QRect frame = dialog.frameGeometry();
    auto read = [&](const char* suffix, double current) {
        return storedTwips(m_store, prefix + QLatin1String(suffix)).value_or(current);
    };
    const double left = std::max(0.0, read("_Left", frame.x() * tpp));
    const double top = std::max(0.0, read("_Top", frame.y() * tpp));
    dialog.move(int(std::lround(left / tpp)), int(std::lround(top / tpp)));
    if (!resizable)
        return;
    double width = read("_Width", frame.width() * tpp);
    double height = read("_Height", frame.height() * tpp);
    if (width <= 0)
        width = 2000;
    if (height <= 0)
        height = 2000;
    // The stored size is the outer one; the widget's size excludes the frame.
    const int extraWidth = frame.width() - dialog.width();
    const int extraHeight = frame.height() - dialog.height();
    dialog.resize(std::max(1, int(std::lround(width / tpp)) - extraWidth),
                  std::max(1, int(std::lround(height / tpp)) - extraHeight));
}

void c_WinPosition::save(const QWidget& dialog, const QString& formName, bool resizable) const
{
    const QString prefix = keyPrefix(formName);
    const double tpp = twipsPerPixel(&dialog);
    const QRect frame = dialog.frameGeometry();
    m_store.setValue(section(), prefix + QStringLiteral("_Left"), twipsText(frame.x() * tpp));
    m_store.setValue(section(), prefix + QStringLiteral("_Top"), twipsText(frame.y() * tpp));
    if (!resizable)
        return;
    m_store.setValue(section(), prefix + QStringLiteral("_Width"), twipsText(frame.width() * tpp));
    m_store.setValue(section(), prefix + QStringLiteral("_Height"),
                     twipsText(frame.height() * tpp));
}

QRect limitDragRect(DragEdge edge, const QRect& proposed, int minWidth, int minHeight)
{
    // Edges as coordinates: right and bottom are exclusive, as the window system gives them.
    int left = proposed.x();
    int top = proposed.y();
    int right = proposed.x() + proposed.width();
    int bottom = proposed.y() + proposed.height();
    const bool leftSide =
        edge == DragEdge::Left || edge == DragEdge::TopLeft || edge == DragEdge::BottomLeft;
    const bool rightSide =
        edge == DragEdge::Right || edge == DragEdge::TopRight || edge == DragEdge::BottomRight;
    const bool topSide =
        edge == DragEdge::Top || edge == DragEdge::TopLeft || edge == DragEdge::TopRight;
    const bool bottomSide =
        edge == DragEdge::Bottom || edge == DragEdge::BottomLeft || edge == DragEdge::BottomRight;
    if (right - left >= 0 && right - left < minWidth) {
        if (leftSide)
            left = right - minWidth;
        else if (rightSide)
            right = left + minWidth;
    }
    if (bottom - top >= 0 && bottom - top < minHeight) {
        if (topSide)
            top = bottom - minHeight;
        else if (bottomSide)
            bottom = top + minHeight;
    }
    return QRect(left, top, right - left, bottom - top);
}

// Watches the served window: the window manager is asked to keep the minimum through the
// window's size hints, and a resize that comes below it all the same (a window manager that
// ignores hints, or a resize from code) is corrected as a drag of the edge that moved.
class ResizeLimiter::Filter : public QObject
{
public:
    Filter(QWidget* window, int minWidth, int minHeight)
        : m_window(window), m_minWidth(minWidth), m_minHeight(minHeight),
          m_oldMinimum(window->minimumSize()), m_last(window->geometry())
    {
        applyMinimum();
        window->installEventFilter(this);
    }
    ~Filter() override
    {
        if (m_window) {
            m_window->removeEventFilter(this);
            m_window->setMinimumSize(m_oldMinimum);
        }
    }
    QWidget* window() const { return m_window; }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_window || (event->type() != QEvent::Resize &&
                                    event->type() != QEvent::Move && event->type() != QEvent::Show))
            return false;
        // The frame is known only once the window is shown: the widget's own minimum is the
        // outer one less the frame.
        const QSize extra = m_window->frameGeometry().size() - m_window->size();
        if (extra != m_extra)
            applyMinimum();
        const QRect now = m_window->geometry();
        const QRect outer(now.topLeft(), now.size() + extra);
        if (!m_correcting && (outer.width() < m_minWidth || outer.height() < m_minHeight)) {
            const bool leftMoved = now.x() != m_last.x();
            const bool topMoved = now.y() != m_last.y();
            const DragEdge edge = leftMoved
                                      ? (topMoved ? DragEdge::TopLeft : DragEdge::BottomLeft)
                                      : (topMoved ? DragEdge::TopRight : DragEdge::BottomRight);
            const QRect fixed = limitDragRect(edge, outer, m_minWidth, m_minHeight);
            m_correcting = true;
            m_window->setGeometry(QRect(fixed.topLeft(), fixed.size() - extra));
            m_correcting = false;
        }
        m_last = m_window->geometry();
        return false;
    }

private:
    void applyMinimum()
    {
        m_extra = m_window->frameGeometry().size() - m_window->size();
        m_window->setMinimumSize(std::max(0, m_minWidth - m_extra.width()),
                                 std::max(0, m_minHeight - m_extra.height()));
    }

    QPointer<QWidget> m_window;
    int m_minWidth;
    int m_minHeight;
    QSize m_oldMinimum;
    QRect m_last;
    QSize m_extra;
    bool m_correcting = false;
};

ResizeLimiter& ResizeLimiter::instance(Kind kind)
{
    static ResizeLimiter main(Main);
    static ResizeLimiter control(Control);
    return kind == Main ? main : control;
}

void ResizeLimiter::start(QWidget* window, int minWidth, int minHeight)
{
    if (this->window()) {
        platform::showMessage(
            m_kind == Main ? QStringLiteral("Err:SubClass_Start_WindowResizeRimit_Main")
                           : QStringLiteral("Err:SubClass_Start_WindowResizeRimit_Control"),
            platform::MsgButtons::OK, platform::MsgIcon::Critical, platform::programTitle());
        return;
    }
    delete m_filter;
    m_filter = window ? new Filter(window, minWidth, minHeight) : nullptr;
}

void ResizeLimiter::stop()
{
    delete m_filter;
    m_filter = nullptr;
}

QWidget* ResizeLimiter::window() const
{
    return m_filter ? m_filter->window() : nullptr;
}

} // namespace picrows
