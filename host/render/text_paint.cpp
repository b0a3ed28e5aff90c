#include "host/render/text_paint.h"

#include "host/model/workbook.h"

#include <QImage>
#include <QPainter>
#include <QTextLayout>

#include <memory>
#include <vector>

namespace host::render {

QPaintDevice* pointDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        image.setDotsPerMeterX(2835);
        image.setDotsPerMeterY(2835);
        return image;
    }();
    return &device;
}

namespace {

struct Line
{
    QTextLayout* layout;
    QTextLine line;
};

} // namespace

QFont textFont(const model::TextFont& font, const model::Workbook& book)
{
    QFont out(font.name.isEmpty() ? book.defaultFontName : font.name);
    out.setPointSizeF(font.size > 0 ? font.size : book.defaultFontSize);
    out.setBold(font.bold);
    out.setItalic(font.italic);
    out.setUnderline(font.underline);
    out.setStrikeOut(font.strikethrough);
    return out;
}

QFont cellFont(const model::Workbook& book)
{
    QFont out(book.defaultFontName);
    out.setPointSizeF(book.defaultFontSize);
    return out;
}

QColor textColor(const model::TextFont& font, const model::Workbook& book)
{
    if (font.colorIndex >= 1 && font.colorIndex <= int(book.palette.size()))
        return QColor::fromRgb(book.palette[size_t(font.colorIndex - 1)]);
    return QColor::fromRgba(font.color);
}

double textWidth(const QString& text, const QFont& font)
{
    QTextLayout layout(text, font, pointDevice());
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return 0;
    }
    line.setLineWidth(1e9);
    layout.endLayout();
    return line.naturalTextWidth();
}

void paintText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
               const QColor& color, const TextPlacement& placement)
{
    if (text.isEmpty())
        return;
    QTextOption option;
    option.setWrapMode(placement.wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                      : QTextOption::NoWrap);
    // Unwrapped lines are placed by hand below; wrapped ones by the layout.
    switch (placement.wrap ? placement.horizontal : model::kAlignLeft) {
    case model::kAlignCenter:
        option.setAlignment(Qt::AlignHCenter);
        break;
    case model::kAlignRight:
        option.setAlignment(Qt::AlignRight);
        break;
    case model::kAlignJustify:
    case model::kAlignDistributed:
        option.setAlignment(Qt::AlignJustify);
        break;
    default:
        option.setAlignment(Qt::AlignLeft);
        break;
    }

    // One layout per paragraph, so that each ends its own justified block.
    const QStringList paragraphs = text.split(u'\n');
    std::vector<std::unique_ptr<QTextLayout>> layouts;
    std::vector<Line> lines;
    double height = 0;
    const double width = std::max(0.0, box.width());
    for (const QString& paragraph : paragraphs) {
        auto layout = std::make_unique<QTextLayout>(paragraph, font, pointDevice());
        layout->setTextOption(option);
        layout->beginLayout();
        for (;;) {
            QTextLine line = layout->createLine();
            if (!line.isValid())
                break;
            line.setLineWidth(placement.wrap ? width : 1e6);
            line.setPosition(QPointF(0, height));
            height += line.height() * placement.lineSpacing;
            lines.push_back({layout.get(), line});
        }
        layout->endLayout();
        layouts.push_back(std::move(layout));
    }

    double top = box.top();
    if (placement.vertical == model::kAlignCenter)
        top += (box.height() - height) / 2;
    else if (placement.vertical == model::kAlignBottom)
        top += box.height() - height;

    painter.save();
    painter.setPen(color);
    for (const Line& l : lines) {
        // Without wrapping the line is as wide as its text: place it by the alignment here.
        double left = box.left();
        if (!placement.wrap) {
            const double natural = l.line.naturalTextWidth();
            if (placement.horizontal == model::kAlignCenter)
                left += (width - natural) / 2;
            else if (placement.horizontal == model::kAlignRight)
                left += width - natural;
            l.line.draw(&painter, QPointF(left, top));
        } else {
            l.line.draw(&painter, QPointF(left, top));
        }
    }
    painter.restore();
}

} // namespace host::render
