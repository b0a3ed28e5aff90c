#include "main/settings_dialog/colour_palette.h"

#include "host/automation/host_error.h"
#include "host/xl/application.h"
#include "host/xl/workbook.h"
#include "main/controls/window_services.h"
#include "main/tools/rotated_picture.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace picrows {

namespace {

constexpr double kSwatch = 250;
constexpr double kGap = 50;
constexpr double kFirstRowGap = 100;
constexpr double kAutoHeight = 300;
constexpr int kPerRow = 7;

} // namespace

ColourIndexLabel::ColourIndexLabel(int index, QWidget* parent) : QLabel(parent), m_index(index)
{
    setObjectName(QStringLiteral("lblTextBox_ColorIndex") + QString::number(index));
    setAutoFillBackground(true);
    setAlignment(Qt::AlignCenter);
}

void ColourIndexLabel::setBordered(bool on)
{
    m_bordered = on;
    update();
}

void ColourIndexLabel::setColour(const QColor& colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    // The caption of the black "自動" swatch must stay readable.
    p.setColor(QPalette::WindowText, colour.lightness() < 128 ? Qt::white : Qt::black);
    setPalette(p);
}

void ColourIndexLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT clicked(m_index);
    QLabel::mousePressEvent(event);
}

void ColourIndexLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!m_bordered)
        return;
    // A dark line with a light one inside it shows on every swatch, the black one included.
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
}

FontColourPalette::FontColourPalette(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("fraTextBox_ColorIndex"));
    for (int i = 0; i <= kEntries; ++i) {
        auto* label = new ColourIndexLabel(i, this);
        m_labels[size_t(i)] = label;
        connect(label, &ColourIndexLabel::clicked, this, &FontColourPalette::choose);
    }
    m_labels[0]->setText(QStringLiteral("自動"));
    m_labels[0]->setColour(Qt::black);
    layOut();
}

void FontColourPalette::layOut()
{
    const double tpp = twipsPerPixel(this);
    const auto px = [tpp](double twips) { return int(std::lround(twips / tpp)); };
    const double autoWidth = kPerRow * kSwatch + (kPerRow - 1) * kGap; // 7 swatches + 300
    m_labels[0]->setGeometry(0, 0, px(autoWidth), px(kAutoHeight));
    const double firstTop = kAutoHeight + kFirstRowGap;
    const int swatch = px(kSwatch);
    for (int i = 1; i <= kEntries; ++i) {
        const int row = (i - 1) / kPerRow;
        const int column = (i - 1) % kPerRow;
        m_labels[size_t(i)]->setGeometry(px(column * (kSwatch + kGap)),
                                         px(firstTop + row * (kSwatch + kGap)), swatch, swatch);
    }
    m_size = QSize(px(autoWidth), m_labels[kEntries]->geometry().bottom() + 1);
    setFixedSize(m_size);
}

QSize FontColourPalette::sizeHint() const
{
    return m_size;
}

void FontColourPalette::loadColours(const xl::Application& app)
{
    xl::Workbook book;
    try {
        book = app.ActiveWorkbook();
    } catch (const host::HostError&) {
        return;
    }
    for (int i = 1; i <= kEntries; ++i) {
        try {
            m_labels[size_t(i)]->setColour(colourFromBgr(book.Colors(i)));
        } catch (const host::HostError&) {
        }
    }
}

void FontColourPalette::choose(int index)
{
    for (ColourIndexLabel* label : m_labels)
        label->setBordered(label->index() == index);
}

int FontColourPalette::chosen() const
{
    for (const ColourIndexLabel* label : m_labels)
        if (label->bordered())
            return label->index();
    return -1;
}

} // namespace picrows
