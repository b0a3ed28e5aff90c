#include "host/objects/text_fit.h"

#include "host/model/drawing.h"
#include "host/model/geometry.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>

#include <algorithm>

namespace host::objects {

namespace {

constexpr int kDotsPerMeter96 = 3780; // 96 dpi

} // namespace

QSizeF textExtent(const QString& text, const model::TextFont& font, const QString& defaultFont)
{
    QFont f(font.name.isEmpty() ? defaultFont : font.name);
    f.setPointSizeF(font.size);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikethrough);
    // Measured against a 96-dpi device, whatever screen there is or is not.
    QImage probe(1, 1, QImage::Format_ARGB32);
    probe.setDotsPerMeterX(kDotsPerMeter96);
    probe.setDotsPerMeterY(kDotsPerMeter96);
    const QFontMetricsF metrics(f, &probe);
    const QStringList lines = text.split(u'\n');
    double width = 0;
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    const double height = (lines.size() - 1) * metrics.lineSpacing() + metrics.height();
    return {width * model::kPointsPerPixel, height * model::kPointsPerPixel};
}

void fitBoxToText(model::Shape& shape, const QString& defaultFont)
{
    if (!shape.text)
        return;
    const model::TextBody& body = *shape.text;
    const QSizeF extent = textExtent(body.text, body.font, defaultFont);
    const double width = extent.width() + body.marginLeft + body.marginRight;
    const double height = extent.height() + body.marginTop + body.marginBottom;
    if (body.horizontalAlignment == model::kAlignRight)
        shape.left += shape.width - width;
    else if (body.horizontalAlignment == model::kAlignCenter)
        shape.left += (shape.width - width) / 2;
    if (body.verticalAlignment == model::kAlignBottom)
        shape.top += shape.height - height;
    else if (body.verticalAlignment == model::kAlignCenter)
        shape.top += (shape.height - height) / 2;
    shape.width = width;
    shape.height = height;
}

} // namespace host::objects
