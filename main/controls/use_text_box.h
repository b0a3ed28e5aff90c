#pragma once

#include <QVariantMap>
#include <QWidget>

#include <cstdint>
#include <functional>

class QLineEdit;
class QToolButton;

namespace picrows {

// The numeric entry field of every dialog: a text box with an up and a down button at its
// right edge. The value stays between Min and Max with DecimalLength decimals, and either stops
// at the ends or, with BackToTop, wraps around. Change is raised whenever the value may have
// changed by the user's hand (typing, the buttons, leaving a field it had to repair); setting
// NumText from code raises nothing.
class useTextBox : public QWidget
{
    Q_OBJECT

public:
    explicit useTextBox(QWidget* parent = nullptr);

    double Max() const { return m_max; }
    void setMax(double value);
    double Min() const { return m_min; }
    void setMin(double value);
    std::int16_t DecimalLength() const { return m_decimalLength; }
    void setDecimalLength(double value);
    bool BackToTop() const { return m_backToTop; }
    void setBackToTop(bool value) { m_backToTop = value; }
    double UpDownChangeValue() const { return m_step; }
    void setUpDownChangeValue(double value) { m_step = value; }

    // The text's value clamped into Min … Max and rounded to DecimalLength decimals.
    double NumText() const;
    // Clamps or wraps `value` and shows it with DecimalLength decimals.
    void setNumText(double value);

    // The text box's enabled state; setting it greys all three parts and gives the text box
    // the control's background instead of white.
    bool Enabled() const;
    void setEnabledState(bool enabled);

    // The five persisted properties under their bag names ("Max", "Min", "Decimal",
    // "BackToTop", "UpDownChangeValue"); reading takes them as they are, without clamps.
    void ReadProperties(const QVariantMap& bag);
    QVariantMap WriteProperties() const;

    QLineEdit* txtMain() const { return m_txtMain; }
    QToolButton* cmdUp() const { return m_cmdUp; }
    QToolButton* cmdDown() const { return m_cmdDown; }

    // The warning sound of a refused entry; tests count it.
    static void setBeepHandler(std::function<void()> handler);

Q_SIGNALS:
    void Change();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QSize sizeHint() const override;

private:
    void step(double delta);
    void textChanged();
    void validate();
    bool repairText(); // true when the text was not numeric and was replaced
    void writeText(const QString& text);
    void updateMaxLength();
    void updateBackground();

    QLineEdit* m_txtMain;
    QToolButton* m_cmdUp;
    QToolButton* m_cmdDown;
    double m_max = 999;
    double m_min = 0;
    std::int16_t m_decimalLength = 0;
    bool m_backToTop = false;
    double m_step = 1;
    bool m_busy = false;
};

// The value of a numeric field's text: its leading number with "." as the decimal separator
// whatever the locale, 0 when there is none.
double valueOfText(const QString& text);
// Whether the text is a number as a whole (blanks around it allowed).
bool isNumericText(const QString& text);
// `value` written with exactly `decimals` decimals, halves rounded away from zero.
QString formatDecimals(double value, int decimals);

} // namespace picrows
