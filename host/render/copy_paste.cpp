#include "host/render/copy_paste.h"

#include "host/automation/host_error.h"
#include "host/imaging/encoded_image.h"
#include "host/imaging/pending_picture.h"
#include "host/imaging/picture_codecs.h"
#include "host/model/workbook.h"
#include "host/render/general_format.h"
#include "host/render/shape_copy.h"
#include "host/render/shape_paint.h"
#include "host/render/sheet_render.h"

#include <QPainter>

#include <cmath>
#include <mutex>

namespace host::render {

namespace {

// Copies of shapes are rendered at 1.5 pixels per point, where the copy margin is two whole
// pixels; a copy too large for that takes half the density (the margin one pixel).
constexpr double kShapeDensities[] = {1.5, 0.75};
constexpr long long kMaxCopyPixels = 1LL << 27;
constexpr int kMaxCopySide = 32767;
constexpr double kCellDensity = 4.0 / 3.0; // cells copy at 96 dpi

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

// A paste of a copy of shapes, encoded when its bytes are needed.
class PendingCopy : public imaging::PendingPicture
{
public:
    PendingCopy(std::shared_ptr<const ShapeCopy> copy, imaging::ImageFormat format)
        : PendingPicture(format, copy->pixelSize()), m_copy(std::move(copy))
    {
    }

protected:
    QImage render(QSize size) const override
    {
        std::shared_ptr<const ShapeCopy> copy;
        {
            const std::lock_guard lock(m_mutex);
            copy = m_copy;
        }
        return copy ? copy->render(size) : QImage();
    }
    // Encoded: the shapes it was rendered from (and the pictures they hold) can go.
    void dropSource() const override
    {
        const std::lock_guard lock(m_mutex);
        m_copy.reset();
    }

private:
    mutable std::mutex m_mutex;
    mutable std::shared_ptr<const ShapeCopy> m_copy;
};

// The resolution a picture of this format states when encoded from an image of these dots
// per metre (GIF states none), so that a pending paste reads as its encoding will.
QPointF storedResolution(imaging::ImageFormat format, int dotsPerMetreX, int dotsPerMetreY)
{
    QImage probe(1, 1, QImage::Format_RGB32);
    probe.fill(Qt::white);
    probe.setDotsPerMeterX(dotsPerMetreX);
    probe.setDotsPerMeterY(dotsPerMetreY);
    const imaging::EncodedImage encoded =
        imaging::probePicture(imaging::encodePicture(probe, format));
    return {encoded.dpiX, encoded.dpiY};
}

imaging::EncodedImage pendingPicture(std::shared_ptr<const ShapeCopy> copy,
                                     imaging::ImageFormat format)
{
    const int dotsPerMetre = int(std::lround(copy->pixelsPerPoint() * 72 / 0.0254));
    auto pending = std::make_shared<PendingCopy>(std::move(copy), format);
    imaging::EncodedImage image;
    image.format = format;
    image.pixelSize = pending->pixelSize();
    const QPointF dpi = storedResolution(format, dotsPerMetre, dotsPerMetre);
    image.dpiX = dpi.x();
    image.dpiY = dpi.y();
    image.key = pending->key();
    image.pending = std::move(pending);
    return image;
}

} // namespace

ClipContent copyOfShapes(const model::Workbook& book, const model::Sheet& sheet,
                         const std::vector<int>& ids, bool deferred)
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
        auto copy = std::make_shared<const ShapeCopy>(
            placed, bounds, QSize(int(width), int(height)), margin, density);
        ClipContent content;
        content.points = bounds.size() + QSizeF(2 * kCopyMargin, 2 * kCopyMargin);
        content.margin = kCopyMargin;
        if (deferred && copy->standsAlone()) {
            content.pending = std::move(copy);
            return content;
        }
        content.bitmap = copy->render(copy->pixelSize(), &book);
        if (content.bitmap.isNull())
            continue;
        content.emf = imaging::encodePicture(content.bitmap, imaging::ImageFormat::Emf);
        return content;
    }
    raise(err::ApplicationDefined,
          QStringLiteral("Not enough memory to copy the selected objects."));
}

ClipContent materialized(ClipContent content)
{
    if (!content.pending || !content.bitmap.isNull())
        return content;
    content.bitmap = content.pending->render(content.pending->pixelSize());
    if (!content.bitmap.isNull())
        content.emf = imaging::encodePicture(content.bitmap, imaging::ImageFormat::Emf);
    content.pending.reset();
    return content;
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
    imaging::EncodedImage image;
    if (content.pending && content.bitmap.isNull() && format != PasteFormat::Emf) {
        image = pendingPicture(content.pending, imageFormatOf(format));
    } else {
        const ClipContent made = materialized(content);
        QByteArray bytes;
        try {
            if (format == PasteFormat::Emf && !made.emf.isEmpty()) {
                bytes = made.emf;
            } else {
                QImage bitmap = made.bitmap;
                if (bitmap.isNull() && !made.emf.isEmpty())
                    bitmap = imaging::decodeImage(made.emf);
                if (bitmap.isNull())
                    pasteFailed();
                bytes = imaging::encodePicture(bitmap, imageFormatOf(format));
            }
        } catch (const HostError&) {
            pasteFailed();
        }
        try {
            image = imaging::probePicture(bytes);
        } catch (const HostError&) {
            pasteFailed();
        }
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
