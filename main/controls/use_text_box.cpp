#include "main/controls/use_text_box.h"

#include "host/automation/host_error.h"
#include "host/automation/variant.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QLocale>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace picrows {

namespace {

constexpr double kLimit = 999999;
constexpr int kButtonWidth = 17;

std::function<void()>& beepHandler()
{
    static std::function<void()> handler = [] { QApplication::beep(); };
    return handler;
}

void beep()
{
    if (beepHandler())
        beepHandler()();
}

// A number as the platform writes it into text: as short as it reads back exactly.
QString numberText(double value)
{
    return QString::number(value, 'g', 15);
}

} // namespace

double valueOfText(const QString& text)
{
    return host::leadingNumber(text);
}

bool isNumericText(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return false;
    bool ok = false;
    QLocale::c().toDouble(trimmed, &ok);
    return ok;
}

QString formatDecimals(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    // Halves away from zero, as the platform's number formats do; a tiny nudge keeps values
    // such as 7.25 (stored a little below) from rounding down.
    const double rounded =
        std::copysign(std::floor(std::fabs(scaled) + 0.5 + 1e-9 * std::fabs(scaled)), scaled);
    // Adding zero turns -0 into 0: no "-0.0".
    return QString::number(rounded / scale + 0.0, 'f', decimals);
}

useTextBox::useTextBox(QWidget* parent)
    : QWidget(parent), m_txtMain(new QLineEdit(this)), m_cmdUp(new QToolButton(this)),
      m_cmdDown(new QToolButton(this))
{
    m_txtMain->setObjectName(QStringLiteral("txtMain"));
    m_cmdUp->setObjectName(QStringLiteral("cmdUp"));
    m_cmdDown->setObjectName(QStringLiteral("cmdDown"));
    m_txtMain->setText(QStringLiteral("0"));
    m_cmdUp->setArrowType(Qt::UpArrow);
    m_cmdDown->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {m_cmdUp, m_cmdDown}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setIconSize(QSize(7, 5));
    }
    setFocusProxy(m_txtMain);
    setFocusPolicy(Qt::StrongFocus);
    m_txtMain->installEventFilter(this);
    updateMaxLength();
    updateBackground();

    connect(m_cmdUp, &QToolButton::clicked, this, [this] { step(m_step); });
    connect(m_cmdDown, &QToolButton::clicked, this, [this] { step(-m_step); });
    connect(m_txtMain, &QLineEdit::textChanged, this, [this] { textChanged(); });
    connect(m_txtMain, &QLineEdit::editingFinished, this, [this] { validate(); });
}

void useTextBox::setBeepHandler(std::function<void()> handler)
{
    beepHandler() = std::move(handler);
}

void useTextBox::setMax(double value)
{
    m_max = std::clamp(value, -kLimit, kLimit);
    updateMaxLength();
}

void useTextBox::setMin(double value)
{
    m_min = std::clamp(value, -kLimit, kLimit);
    updateMaxLength();
}

void useTextBox::setDecimalLength(double value)
{
    const double whole = host::roundHalfEven(std::clamp(value, -1.0, 11.0));
    m_decimalLength = std::int16_t(std::clamp(whole, 0.0, 10.0));
    updateMaxLength();
}

double useTextBox::NumText() const
{
    double v = valueOfText(m_txtMain->text());
    if (v > m_max)
        v = m_max;
    if (v < m_min)
        v = m_min;
    if (m_decimalLength != 0)
        return valueOfText(formatDecimals(v, m_decimalLength));
    return host::roundHalfEven(v);
}

void useTextBox::setNumText(double value)
{
    const double d = m_decimalLength != 0 ? m_max + std::pow(10.0, -m_decimalLength) : m_max + 0.1;
    // Sums of steps carry binary noise (359.9 + 0.1); the noise must not decide a wrap.
    double x = std::round(value * 1e9) / 1e9;
    auto remainder = [d](double v) { return std::fabs(v) - d * std::floor(std::fabs(v) / d); };
    if (x > m_max)
        x = m_backToTop ? remainder(x) : m_max;
    if (x < m_min)
        x = m_backToTop ? d - remainder(x) : m_min;
    writeText(m_decimalLength != 0 ? formatDecimals(x, m_decimalLength)
                                   : QString::number(host::roundHalfEven(x), 'f', 0));
}

bool useTextBox::Enabled() const
{
    return m_txtMain->isEnabled();
}

void useTextBox::setEnabledState(bool enabled)
{
    setEnabled(enabled); // the text box and both buttons follow their parent
    updateBackground();
}

void useTextBox::ReadProperties(const QVariantMap& bag)
{
    auto number = [&](const char* name, double fallback) {
        const QVariant v = bag.value(QLatin1String(name));
        return v.isValid() ? v.toDouble() : fallback;
    };
    m_max = number("Max", 999);
    m_min = number("Min", 0);
    m_decimalLength = std::int16_t(std::clamp(number("Decimal", 0), -32768.0, 32767.0));
    m_backToTop = bag.value(QStringLiteral("BackToTop"), false).toBool();
    m_step = number("UpDownChangeValue", 1);
    updateMaxLength();
    setNumText(NumText());
}

QVariantMap useTextBox::WriteProperties() const
{
    return {{QStringLiteral("Max"), m_max},
            {QStringLiteral("Min"), m_min},
            {QStringLiteral("Decimal"), int(m_decimalLength)},
            {QStringLiteral("BackToTop"), m_backToTop},
            {QStringLiteral("UpDownChangeValue"), m_step}};
}

void useTextBox::step(double delta)
{
    setNumText(NumText() + delta);
    m_txtMain->setFocus(Qt::OtherFocusReason);
    Q_EMIT Change();
}

void useTextBox::textChanged()
{
    if (m_busy)
        return;
    repairText();
    Q_EMIT Change();
}

void useTextBox::validate()
{
    if (m_busy)
        return;
    if (repairText())
        Q_EMIT Change();
    const double v = valueOfText(m_txtMain->text());
    if (v < m_min || v > m_max) {
        beep();
        setNumText(v);
        Q_EMIT Change();
    }
}

bool useTextBox::repairText()
{
    const QString text = m_txtMain->text();
    if (text == QLatin1String("-") || isNumericText(text))
        return false;
    beep();
    writeText(numberText(valueOfText(text)));
    return true;
}

void useTextBox::writeText(const QString& text)
{
    m_busy = true;
    m_txtMain->setText(text);
    m_busy = false;
}

void useTextBox::updateMaxLength()
{
    qsizetype n = numberText(m_max).size();
    n = std::max(n, numberText(m_min).size());
    if (m_decimalLength > 0)
        n += m_decimalLength + 2;
    m_txtMain->setMaxLength(int(n));
}

void useTextBox::updateBackground()
{
    QPalette palette = m_txtMain->palette();
    const QColor base =
        isEnabled() ? QColor(255, 255, 255) : this->palette().color(QPalette::Window);
    palette.setColor(QPalette::Active, QPalette::Base, base);
    palette.setColor(QPalette::Inactive, QPalette::Base, base);
    palette.setColor(QPalette::Disabled, QPalette::Base, base);
    m_txtMain->setPalette(palette);
}

void useTextBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int sw = width();
    const int sh = height();
    const int buttonWidth = std::min(kButtonWidth, sw);
    m_txtMain->setGeometry(0, 0, sw - buttonWidth, sh);
    m_cmdUp->setGeometry(m_txtMain->width(), 0, buttonWidth, sh / 2);
    m_cmdDown->setGeometry(m_cmdUp->x(), m_cmdUp->height(), buttonWidth, m_cmdUp->height());
}

void useTextBox::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::PaletteChange)
        updateBackground();
}

bool useTextBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtMain && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, m_txtMain, &QLineEdit::selectAll);
    // Leaving the field validates it (editingFinished alone misses a text set from code).
    if (watched == m_txtMain && event->type() == QEvent::FocusOut)
        validate();
    return QWidget::eventFilter(watched, event);
}

QSize useTextBox::sizeHint() const
{
    const QSize text = m_txtMain->sizeHint();
    return {std::max(60, text.width() / 2) + kButtonWidth, text.height()};
}

} // namespace picrows
