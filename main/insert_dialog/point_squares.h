#pragma once

#include <QAbstractButton>
#include <QWidget>

#include <array>

namespace picrows {

// One clickable square of a reference-point group; its tag is "on" while it is the chosen one,
// which shows a check mark. A disabled square takes the dialog's background colour.
class PointSquare : public QAbstractButton
{
    Q_OBJECT

public:
    explicit PointSquare(QWidget* parent = nullptr);

    QString tag() const { return m_on ? QStringLiteral("on") : QString(); }
    bool isOn() const { return m_on; }
    void setOn(bool on);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_on = false;
};

// Five squares for the corners and the centre of a cell, numbered as the reference points are:
// 0 bottom left, 1 bottom right, 2 centre, 3 top left, 4 top right. Each is named
// `<name>(<index>)`. Clicking one tags it "on" and the other four empty.
class PointSquares : public QWidget
{
    Q_OBJECT

public:
    PointSquares(const QString& name, const std::array<QString, 5>& toolTips,
                 QWidget* parent = nullptr);

    PointSquare* square(int index) const { return m_squares[size_t(index)]; }
    // The index of the square tagged "on", -1 when none is.
    int chosen() const;
    // Tags `index` "on" and the others empty; an index out of 0 … 4 leaves every square empty.
    void choose(int index);

Q_SIGNALS:
    void clicked(int index);

private:
    std::array<PointSquare*, 5> m_squares{};
};

} // namespace picrows
