#include "main/insert_dialog/drop_tip.h"

#include "main/insert_dialog/picture_list_view.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>

namespace picrows {

DropTip::DropTip(QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("picDropTip"));
    setAcceptDrops(true);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setMinimumHeight(60);
}

void DropTip::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void DropTip::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void DropTip::dropEvent(QDropEvent* event)
{
    if (!event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    Q_EMIT pathsDropped(droppedPaths(event->mimeData()));
}

// A stack of pictures falling into a tray, and the instructions under it.
void DropTip::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), palette().base());
    const QRect area = rect().adjusted(10, 10, -10, -10);
    QPen dash(QColor(0x9a, 0xa8, 0xba), 2, Qt::DashLine);
    p.setPen(dash);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(area, 10, 10);

    const int cx = area.center().x();
    const int top = area.top() + std::max(12, area.height() / 2 - 70);
    const QColor fills[] = {QColor(0xe8, 0xc0, 0x7a), QColor(0x8c, 0xc0, 0xe8),
                            QColor(0xa8, 0xd8, 0x9c)};
    p.setPen(QPen(QColor(0x5a, 0x66, 0x78), 1.5));
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.translate(cx - 6 + 10 * i, top + 26 + 4 * i);
        p.rotate(-12 + 12 * i);
        const QRectF card(-22, -17, 44, 34);
        p.setBrush(Qt::white);
        p.drawRect(card);
        p.fillRect(card.adjusted(4, 4, -4, -4), fills[i]);
        p.restore();
    }
    QPainterPath arrow;
    arrow.moveTo(cx, top + 58);
    arrow.lineTo(cx, top + 78);
    p.setPen(QPen(QColor(0x4a, 0x78, 0xb0), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(arrow);
    p.drawLine(cx - 7, top + 71, cx, top + 79);
    p.drawLine(cx + 7, top + 71, cx, top + 79);

    p.setPen(palette().color(QPalette::Text));
    const QRect textBox(area.left() + 8, top + 86, area.width() - 16, area.bottom() - top - 90);
    p.drawText(textBox, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
               QStringLiteral("ここに図のファイルやフォルダを\nドラッグ＆ドロップしてください"));
}

} // namespace picrows
