#include "host/render/copy_paste.h"

#include "host/automation/host_error.h"
#include "host/imaging/encoded_image.h"
#include "host/imaging/picture_codecs.h"
#include "host/model/workbook.h"
#include "host/render/general_format.h"
#include "host/render/shape_paint.h"
#include "host/render/sheet_render.h"

#include <QPainter>

#include <cmath>

namespace host::render {

namespace {

// Copies of shapes are rendered at 1.5 pixels per point, where the copy margin is two whole
// pixels; a copy too large for that takes half the density (the margin one pixel).
constexpr double kShapeDensities[] = {1.5, 0.75};
constexpr long long kMaxCopyPixels = 1LL << 27;
constexpr int kMaxCopySide = 32767;
constexpr double kCellDensity = 4.0 / 3.0; // cells copy at 96 dpi

int dotsPerMetre(double pixelsPerPoint)
{
    return int(std::lround(pixelsPerPoint * 72 / 0.0254));
}

[[noreturn]] void pasteFailed()
{
    raise(err::ApplicationDefined, QStringLiteral("PasteSpecial method of Worksheet class failed"));
}

imaging::ImageFormat imageFormatOf(PasteFormat format)
{
    switch (format) {
    case PasteFormat::Jpeg:
        return imaging::ImageFormat::Jpeg;
    case PasteFormat::Png:
        return imaging::ImageFormat::Png;
    case PasteFormat::Gif:
        return imaging::ImageFormat::Gif;
    case PasteFormat::Emf:
        return imaging::ImageFormat::Emf;
    case PasteFormat::Bitmap:
        return imaging::ImageFormat::Bmp;
    }
    return imaging::ImageFormat::Unknown;
}

// The values of the block as text: cells separated by tabs, rows by line feeds, up to the
// last row and column that hold a value.
QString rangeText(const model::Sheet& sheet, const model::CellRect& area)
{
    int lastRow = 0;
    int lastColumn = 0;
    for (const auto& [key, cell] : sheet.cells)
        if (area.contains(key.first, key.second) && !displayText(cell).isEmpty()) {
            lastRow = std::max(lastRow, key.first);
            lastColumn = std::max(lastColumn, key.second);
        }
    if (lastRow == 0)
        return {};
    QString text;
    for (int r = area.top; r <= lastRow; ++r) {
        for (int c = area.left; c <= lastColumn; ++c) {
            if (c > area.left)
                text += u'\t';
            if (const model::Cell* cell = sheet.cell(r, c))
                text += displayText(*cell);
        }
        text += u'\n';
    }
    return text;
}

} // namespace

ClipContent copyOfShapes(const model::Workbook& book, const model::Sheet& sheet,
                         const std::vector<int>& ids)
{
    const std::vector<PlacedShape> placed = placeShapes(sheet.drawing, ids);
    QRectF bounds;
    for (const PlacedShape& p : placed)
        bounds = bounds.united(displayedBounds(*p.shape, p.enclosing));
    if (placed.empty() || bounds.width() <= 0 || bounds.height() <= 0)
        raise(err::ApplicationDefined, QStringLiteral("Copy method of Shape class failed"));

    for (const double density : kShapeDensities) {
        const int margin = int(std::lround(kCopyMargin * density));
        const long long width = std::llround(bounds.width() * density) + 2 * margin;
        const long long height = std::llround(bounds.height() * density) + 2 * margin;
        if (width > kMaxCopySide || height > kMaxCopySide || width * height > kMaxCopyPixels)
            continue;
        QImage image(int(width), int(height), QImage::Format_ARGB32_Premultiplied);
        if (image.isNull())
            continue;
        image.setDotsPerMeterX(dotsPerMetre(density));
        image.setDotsPerMeterY(dotsPerMetre(density));
        image.fill(Qt::transparent);
        QPainter painter(&image);
        // The content fills the pixels inside the margin exactly, so that cropping the
        // margin off leaves the content edge to edge.
        painter.translate(margin, margin);
        painter.scale(double(width - 2 * margin) / bounds.width(),
                      double(height - 2 * margin) / bounds.height());
        painter.translate(-bounds.topLeft());
        paintPlaced(painter, book, placed);
        painter.end();

        ClipContent content;
        content.bitmap = image;
        content.emf = imaging::encodePicture(image, imaging::ImageFormat::Emf);
        content.points = bounds.size() + QSizeF(2 * kCopyMargin, 2 * kCopyMargin);
        content.margin = kCopyMargin;
        return content;
    }
    raise(err::ApplicationDefined,
          QStringLiteral("Not enough memory to copy the selected objects."));
}

ClipContent copyOfRange(const model::Workbook& book, const model::Sheet& sheet,
                        const model::CellRect& area)
{
    ClipContent content;
    content.cells = true;
    content.text = rangeText(sheet, area);
    content.points = rangeRect(book, sheet, area).size();
    // A block too large for a picture still copies as cells and text.
    content.bitmap = renderRange(book, sheet, area, kCellDensity);
    if (!content.bitmap.isNull())
        content.emf = imaging::encodePicture(content.bitmap, imaging::ImageFormat::Emf);
    return content;
}

std::optional<PasteFormat> pasteFormatNamed(const QString& name)
{
    static const struct
    {
        const char16_t* name;
        PasteFormat format;
    } kNames[] = {
        {u"\u56F3 (JPEG)", PasteFormat::Jpeg},
        {u"\u56F3 (PNG)", PasteFormat::Png},
        {u"\u56F3 (GIF)", PasteFormat::Gif},
        {u"\u56F3 (\u62E1\u5F35\u30E1\u30BF\u30D5\u30A1\u30A4\u30EB)", PasteFormat::Emf},
        {u"\u30D3\u30C3\u30C8\u30DE\u30C3\u30D7", PasteFormat::Bitmap},
    };
    for (const auto& entry : kNames)
        if (name == QString::fromUtf16(entry.name))
            return entry.format;
    return std::nullopt;
}

model::Shape pastedPicture(const ClipContent& content, PasteFormat format)
{
    QByteArray bytes;
    try {
        if (format == PasteFormat::Emf && !content.emf.isEmpty()) {
            bytes = content.emf;
        } else {
            QImage bitmap = content.bitmap;
            if (bitmap.isNull() && !content.emf.isEmpty())
                bitmap = imaging::decodeImage(content.emf);
            if (bitmap.isNull())
                pasteFailed();
            bytes = imaging::encodePicture(bitmap, imageFormatOf(format));
        }
    } catch (const HostError&) {
        pasteFailed();
    }
    imaging::EncodedImage image;
    try {
        image = imaging::probePicture(bytes);
    } catch (const HostError&) {
        pasteFailed();
    }
    const QSizeF size = content.points.isEmpty() ? image.untouchedSize() : content.points;

    model::Shape shape;
    shape.kind = model::ShapeKind::Picture;
    shape.width = size.width();
    shape.height = size.height();
    shape.lockAspectRatio = true;
    model::PictureData picture;
    picture.image = std::move(image);
    picture.untouchedWidth = size.width();
    picture.untouchedHeight = size.height();
    picture.imageChanged = true;
    shape.picture = std::move(picture);
    shape.dirty = true;
    return shape;
}

} // namespace host::render
