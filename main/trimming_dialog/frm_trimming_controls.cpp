// The trimming dialog's controls and their layout.
#include "main/trimming_dialog/frm_trimming.h"

#include "main/controls/use_text_box.h"
#include "main/controls/window_services.h"
#include "main/engine/trimming_state.h"
#include "main/tools/picture_colour.h"
#include "main/trimming_dialog/trimming_preview.h"

#include <QBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

#include <cmath>

namespace picrows {

namespace {

// The right-hand column (buttons and groups), twips.
constexpr double kColumnWidth = 2400;
constexpr double kGap = 100;

enum class Glyph
{
    TurnLeft,
    TurnRight,
    Minus,
    Plus
};

QIcon glyphIcon(Glyph glyph)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink(0x20, 0x50, 0x90);
    painter.setPen(QPen(ink, 3.2, Qt::SolidLine, Qt::RoundCap));
    if (glyph == Glyph::Minus || glyph == Glyph::Plus) {
        painter.drawLine(QPointF(8, 16), QPointF(24, 16));
        if (glyph == Glyph::Plus)
            painter.drawLine(QPointF(16, 8), QPointF(16, 24));
        return QIcon(pixmap);
    }
    // A three-quarter circle with its arrow head at the bottom, turning clockwise; mirrored
    // for the turn to the left.
    if (glyph == Glyph::TurnLeft) {
        painter.translate(32, 0);
        painter.scale(-1, 1);
    }
    painter.drawArc(QRectF(7, 7, 18, 18), 180 * 16, -270 * 16);
    QPainterPath head;
    head.moveTo(10.5, 25);
    head.lineTo(18, 19.5);
    head.lineTo(18, 30.5);
    head.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPath(head);
    return QIcon(pixmap);
}

QToolButton* barButton(QWidget* parent, const QString& key, Glyph glyph)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(key);
    button->setIcon(glyphIcon(glyph));
    button->setIconSize(QSize(18, 18));
    button->setAutoRaise(true);
    return button;
}

// A colour button bar: its text over [−] slider [+].
QWidget* colourBar(QWidget* parent, const QString& name, const QString& key, const QString& text,
                   QSlider*& slider)
{
    auto* bar = new QWidget(parent);
    bar->setObjectName(name);
    auto* column = new QVBoxLayout(bar);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(new QLabel(text, bar));
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    row->addWidget(barButton(bar, key + QStringLiteral("_MINUS"), Glyph::Minus));
    slider = new QSlider(Qt::Horizontal, bar);
    slider->setRange(1, 9);
    slider->setValue(5);
    slider->setPageStep(1);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(1);
    row->addWidget(slider, 1);
    row->addWidget(barButton(bar, key + QStringLiteral("_PLUS"), Glyph::Plus));
    column->addLayout(row);
    return bar;
}

} // namespace

void frmTrimming::buildControls()
{
    m_picMain = new TrimmingPreview(this);
    connect(m_picMain, &TrimmingPreview::redrawn, this, &frmTrimming::storeFractions);

    m_cmdOK = new QPushButton(QStringLiteral("貼り付け(&P)"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setToolTip(QStringLiteral("図の挿入を実行します"));
    m_cmdOK->setDefault(true);
    connect(m_cmdOK, &QPushButton::clicked, this, [this] {
        m_state.blnCancel = false;
        accept();
    });
    m_cmdCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdCancel->setToolTip(QStringLiteral("キャンセルします"));
    connect(m_cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    m_fraRotate = new QGroupBox(QStringLiteral("回転"), this);
    m_fraRotate->setObjectName(QStringLiteral("fraRotate"));
    auto* rotate = new QVBoxLayout(m_fraRotate);
    auto* tlbRotate = new QWidget(m_fraRotate);
    tlbRotate->setObjectName(QStringLiteral("tlbRotate"));
    auto* turns = new QHBoxLayout(tlbRotate);
    turns->setContentsMargins(0, 0, 0, 0);
    turns->setSpacing(0);
    QToolButton* left = barButton(tlbRotate, QStringLiteral("ROTATE_LEFT"), Glyph::TurnLeft);
    QToolButton* right = barButton(tlbRotate, QStringLiteral("ROTATE_RIGHT"), Glyph::TurnRight);
    turns->addWidget(left);
    turns->addWidget(right);
    turns->addWidget(new QLabel(QStringLiteral("90度ごとの回転"), tlbRotate), 1);
    connect(left, &QToolButton::clicked, this, [this] { turnQuarter(false); });
    connect(right, &QToolButton::clicked, this, [this] { turnQuarter(true); });
    rotate->addWidget(tlbRotate);
    auto* angleRow = new QHBoxLayout;
    m_lblRotate = new QLabel(QStringLiteral("角度"), m_fraRotate);
    m_lblRotate->setObjectName(QStringLiteral("lblRotate"));
    m_utxtRotate = new useTextBox(m_fraRotate);
    m_utxtRotate->setObjectName(QStringLiteral("utxtRotate"));
    m_utxtRotate->setMin(0);
    m_utxtRotate->setMax(359.9);
    m_utxtRotate->setDecimalLength(1);
    m_utxtRotate->setBackToTop(true);
    m_utxtRotate->setUpDownChangeValue(1);
    m_utxtRotate->setNumText(0);
    m_utxtRotate->setToolTip(QStringLiteral("回転角度"));
    m_utxtRotate->txtMain()->setToolTip(QStringLiteral("回転角度"));
    connect(m_utxtRotate, &useTextBox::Change, this, &frmTrimming::angleChanged);
    angleRow->addWidget(m_lblRotate);
    angleRow->addWidget(m_utxtRotate, 1);
    rotate->addLayout(angleRow);

    m_fraColor = new QGroupBox(QStringLiteral("色彩"), this);
    m_fraColor->setObjectName(QStringLiteral("fraColor"));
    auto* colour = new QVBoxLayout(m_fraColor);
    colour->addWidget(colourBar(m_fraColor, QStringLiteral("tlbContrast"),
                                QStringLiteral("CONTRAST"), QStringLiteral("コントラスト"),
                                m_sldContrast));
    colour->addWidget(colourBar(m_fraColor, QStringLiteral("tlbBrightness"),
                                QStringLiteral("BRIGHTNESS"), QStringLiteral("明るさ"),
                                m_sldBrightness));
    m_sldContrast->setObjectName(QStringLiteral("sldContrast"));
    m_sldBrightness->setObjectName(QStringLiteral("sldBrightness"));
    for (QSlider* slider : {m_sldContrast, m_sldBrightness}) {
        connect(slider, &QSlider::valueChanged, this, &frmTrimming::colourChanged);
        const QString stem =
            slider == m_sldContrast ? QStringLiteral("CONTRAST_") : QStringLiteral("BRIGHTNESS_");
        connect(button(stem + QStringLiteral("MINUS")), &QToolButton::clicked, slider,
                [slider] { slider->setValue(slider->value() - 1); });
        connect(button(stem + QStringLiteral("PLUS")), &QToolButton::clicked, slider,
                [slider] { slider->setValue(slider->value() + 1); });
    }

    m_lblOption_Area = new QLabel(QStringLiteral("<a href=\"options\">オプション</a>"), this);
    m_lblOption_Area->setObjectName(QStringLiteral("lblOption_Area"));
    m_lblOption_Area->setTextFormat(Qt::RichText);
    m_lblOption_Area->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(m_lblOption_Area, &QLabel::linkActivated, this, [this] { optionsClicked(); });

    // Over the preview, readable on the shading.
    m_lblColorTips = new QLabel(colourPreviewNote(), this);
    m_lblColorTips->setObjectName(QStringLiteral("lblColorTips"));
    m_lblColorTips->setWordWrap(true);
    m_lblColorTips->setAutoFillBackground(true);
    m_lblColorTips->setBackgroundRole(QPalette::ToolTipBase);
    m_lblColorTips->setForegroundRole(QPalette::ToolTipText);
    m_lblColorTips->setContentsMargins(4, 2, 4, 2);
    m_lblColorTips->hide();
}

QToolButton* frmTrimming::button(const QString& key) const
{
    return findChild<QToolButton*>(key);
}

void frmTrimming::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (!isMinimized())
        layOut();
}

void frmTrimming::layOut()
{
    const double tpp = twipsPerPixel(this);
    const auto px = [tpp](double twips) { return int(std::lround(twips / tpp)); };
    const int width = this->width();
    const int height = this->height();
    const int column = px(kColumnWidth);
    const int gap = px(kGap);

    const int okHeight = m_cmdOK->sizeHint().height();
    const int columnLeft = width - gap - column;
    const QRect preview(0, 0, std::max(0, width - 2 * gap - column), height);
    m_picMain->setGeometry(preview);
    m_cmdOK->setGeometry(columnLeft, gap, column, okHeight);
    int top = gap + okHeight + gap;
    for (QWidget* group : {static_cast<QWidget*>(m_fraRotate), static_cast<QWidget*>(m_fraColor)}) {
        if (group->isHidden()) // re-trimming
            continue;
        const int groupHeight = group->sizeHint().height();
        group->setGeometry(columnLeft, top, column, groupHeight);
        top += groupHeight + gap;
    }
    m_lblOption_Area->setGeometry(columnLeft, top, column, m_lblOption_Area->sizeHint().height());
    const int cancelHeight = m_cmdCancel->sizeHint().height();
    m_cmdCancel->setGeometry(columnLeft, height - gap - cancelHeight, column, cancelHeight);

    const int tipsWidth = std::max(1, preview.width() - 2 * gap);
    const int tipsHeight = m_lblColorTips->heightForWidth(tipsWidth);
    m_lblColorTips->setGeometry(gap, preview.height() - gap - tipsHeight, tipsWidth, tipsHeight);
    m_lblColorTips->raise();

    fitAndPlace();
}

} // namespace picrows
