#pragma once

#include "host/imaging/encoded_image.h"
#include "host/model/workbook.h"
#include "host/render/clipboard.h"
#include "tests/host/imaging/test_images.h"

#include <QImage>
#include <QPainter>

#include <memory>

// Workbooks and pictures the render tests build in code.
namespace render_test {

// A picture shape of `image` (stored as PNG at 96 dpi) in the box given in points.
inline host::model::Shape pictureShape(int id, const QImage& image, QRectF box)
{
    QImage stored = image;
    stored.setDotsPerMeterX(3780);
    stored.setDotsPerMeterY(3780);
    host::model::Shape shape;
    shape.id = id;
    shape.kind = host::model::ShapeKind::Picture;
    shape.left = box.left();
    shape.top = box.top();
    shape.width = box.width();
    shape.height = box.height();
    host::model::PictureData picture;
    picture.image = host::imaging::loadPicture(imaging_test::encode(stored, "png"));
    const QSizeF untouched = picture.image.untouchedSize();
    picture.untouchedWidth = untouched.width();
    picture.untouchedHeight = untouched.height();
    shape.picture = picture;
    return shape;
}

// A workbook of one empty worksheet.
inline std::unique_ptr<host::model::Workbook> oneSheetBook()
{
    auto book = std::make_unique<host::model::Workbook>();
    auto sheet = std::make_unique<host::model::Sheet>();
    sheet->name = QStringLiteral("Sheet1");
    book->sheets.push_back(std::move(sheet));
    return book;
}

// The copy without its margin of `pixels` on each side.
inline QImage withoutMargin(const QImage& image, int pixels)
{
    return image.copy(pixels, pixels, image.width() - 2 * pixels, image.height() - 2 * pixels);
}

// The image over white, opaque: what a sheet shows of it.
inline QImage onWhite(const QImage& image)
{
    QImage out(image.size(), QImage::Format_ARGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    painter.drawImage(0, 0, image);
    painter.end();
    return out;
}

inline QRgb pixelAt(const QImage& image, int x, int y)
{
    return image.convertToFormat(QImage::Format_ARGB32).pixel(x, y);
}

} // namespace render_test
