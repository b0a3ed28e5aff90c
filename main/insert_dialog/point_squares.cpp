#include "main/insert_dialog/point_squares.h"

#include <QGridLayout>
#include <QPainter>
#include <QPainterPath>

namespace picrows {

PointSquare::PointSquare(QWidget* parent) : QAbstractButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void PointSquare::setOn(bool on)
{
    if (m_on == on)
        return;
    m_on = on;
    update();
}

QSize PointSquare::sizeHint() const
{
    return {18, 18};
}

void PointSquare::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(isEnabled() ? QColor(0x50, 0x5a, 0x68) : QColor(0xa8, 0xac, 0xb2), 1));
    p.setBrush(isEnabled() ? QBrush(Qt::white) : palette().brush(QPalette::Window));
    p.drawRect(box);
    if (!m_on)
        return;
    QPainterPath check;
    check.moveTo(box.left() + box.width() * 0.2, box.top() + box.height() * 0.52);
    check.lineTo(box.left() + box.width() * 0.42, box.top() + box.height() * 0.75);
    check.lineTo(box.left() + box.width() * 0.8, box.top() + box.height() * 0.25);
    p.setPen(QPen(isEnabled() ? QColor(0xd0, 0x30, 0x30) : QColor(0xa8, 0x90, 0x90), 2.4,
                  Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(check);
}

PointSquares::PointSquares(const QString& name, const std::array<QString, 5>& toolTips,
                           QWidget* parent)
    : QWidget(parent)
{
    setObjectName(name + QStringLiteral("s"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(4);
    // Where each point sits in a 3 × 3 grid: row, column.
    static constexpr int places[5][2] = {{2, 0}, {2, 2}, {1, 1}, {0, 0}, {0, 2}};
    for (int i = 0; i < 5; ++i) {
        auto* square = new PointSquare(this);
        square->setObjectName(name + QStringLiteral("(%1)").arg(i));
        square->setToolTip(toolTips[size_t(i)]);
        connect(square, &QAbstractButton::clicked, this, [this, i] {
            choose(i);
            Q_EMIT clicked(i);
        });
        grid->addWidget(square, places[i][0], places[i][1]);
        m_squares[size_t(i)] = square;
    }
}

int PointSquares::chosen() const
{
    for (int i = 0; i < 5; ++i)
        if (m_squares[size_t(i)]->isOn())
            return i;
    return -1;
}

void PointSquares::choose(int index)
{
    for (int i = 0; i < 5; ++i)
        m_squares[size_t(i)]->setOn(i == index);
}

} // namespace picrows
