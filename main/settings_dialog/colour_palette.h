#pragma once

#include <QLabel>
#include <QWidget>

#include <array>
#include <cstdint>

namespace xl {
class Application;
}

namespace picrows {

// One swatch of the font colour palette. Clicking it chooses it; the chosen one carries the
// single-line border.
class ColourIndexLabel : public QLabel
{
    Q_OBJECT

public:
    ColourIndexLabel(int index, QWidget* parent);

    int index() const { return m_index; }
    bool bordered() const { return m_bordered; }
    void setBordered(bool on);
    void setColour(const QColor& colour);

Q_SIGNALS:
    void clicked(int index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_index;
    bool m_bordered = false;
};

// The font colour of the paste-info text box: label 0 "自動" over the full width, then the 56
// entries of the workbook's palette, seven to a row. Sizes and gaps are in twips, as the
// palette was laid out: swatches of 250, 50 apart, the first row 100 below label 0.
class FontColourPalette : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kEntries = 56;

    explicit FontColourPalette(QWidget* parent = nullptr);

    // The swatches take the colours of the active workbook's palette; an entry the host cannot
    // tell keeps the control's colour.
    void loadColours(const xl::Application& app);

    ColourIndexLabel* label(int index) const { return m_labels.at(size_t(index)); }
    // Gives `index` the border and takes it from every other label.
    void choose(int index);
    // The lowest index that carries a border; -1 when none does.
    int chosen() const;

    QSize sizeHint() const override;

private:
    void layOut();

    std::array<ColourIndexLabel*, kEntries + 1> m_labels{};
    QSize m_size;
};

} // namespace picrows
