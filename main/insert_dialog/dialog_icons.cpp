#include "main/insert_dialog/dialog_icons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace picrows {

namespace {

constexpr int kIconSize = 24;
const QColor kInk(0x3a, 0x44, 0x52);
const QColor kCellLine(0xb4, 0xbe, 0xca);
const QColor kPhoto(0x5b, 0x9b, 0xd5);
const QColor kPhotoDark(0x2e, 0x6d, 0xa8);
const QColor kSelection(0x21, 0x8a, 0x4a);

QIcon drawn(const std::function<void(QPainter&)>& paint)
{
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pixmap(kIconSize * scale, kIconSize * scale);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        paint(p);
        p.end();
        pixmap.setDevicePixelRatio(scale);
        icon.addPixmap(pixmap);
    }
    return icon;
}

// A small landscape picture: a frame, a sun and a hill.
void photo(QPainter& p, const QRectF& r)
{
    p.save();
    p.setPen(QPen(kPhotoDark, 1));
    p.setBrush(QColor(0xdc, 0xee, 0xfb));
    p.drawRect(r);
    p.setClipRect(r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf2, 0xb6, 0x3c));
    const double d = std::min(r.width(), r.height()) * 0.28;
    p.drawEllipse(QRectF(r.right() - d * 1.5, r.top() + d * 0.4, d, d));
    QPainterPath hill;
    hill.moveTo(r.left(), r.bottom());
    hill.lineTo(r.left(), r.bottom() - r.height() * 0.35);
    hill.quadTo(r.center().x(), r.top() + r.height() * 0.25, r.right(),
                r.bottom() - r.height() * 0.3);
    hill.lineTo(r.right(), r.bottom());
    p.setBrush(QColor(0x5c, 0xa8, 0x5a));
    p.drawPath(hill);
    p.restore();
}

void cells(QPainter& p, const QRectF& r, int columns, int rows)
{
    p.save();
    p.setPen(QPen(kCellLine, 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    for (int c = 1; c < columns; ++c) {
        const double x = r.left() + r.width() * c / columns;
        p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
    }
    for (int row = 1; row < rows; ++row) {
        const double y = r.top() + r.height() * row / rows;
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    }
    p.restore();
}

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour, double width = 2.2)
{
    p.save();
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    const QLineF line(to, from);
    QLineF head(to, from);
    head.setLength(5);
    head.setAngle(line.angle() + 35);
    p.drawLine(head);
    head.setAngle(line.angle() - 35);
    p.drawLine(head);
    p.restore();
}

void pointer(QPainter& p, QPointF tip, double scale)
{
    QPainterPath path;
    path.moveTo(0, 0);
    path.lineTo(0, 14);
    path.lineTo(3.5, 10.5);
    path.lineTo(6, 16);
    path.lineTo(8, 15);
    path.lineTo(5.5, 9.5);
    path.lineTo(10, 9.5);
    path.closeSubpath();
    p.save();
    p.translate(tip);
    p.scale(scale, scale);
    p.setPen(QPen(Qt::black, 1.0 / scale * 1.2));
    p.setBrush(Qt::white);
    p.drawPath(path);
    p.restore();
}

void tick(QPainter& p, const QRectF& r, const QColor& colour)
{
    QPainterPath check;
    check.moveTo(r.left() + r.width() * 0.15, r.top() + r.height() * 0.55);
    check.lineTo(r.left() + r.width() * 0.42, r.top() + r.height() * 0.8);
    check.lineTo(r.left() + r.width() * 0.88, r.top() + r.height() * 0.2);
    p.save();
    p.setPen(QPen(colour, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(check);
    p.restore();
}

void paintIcon(QPainter& p, const QString& key)
{
    if (key == QStringLiteral("OPEN")) {
        p.setPen(QPen(QColor(0xa8, 0x7a, 0x1e), 1));
        p.setBrush(QColor(0xf6, 0xcd, 0x63));
        QPainterPath folder;
        folder.moveTo(2, 6);
        folder.lineTo(9, 6);
        folder.lineTo(11, 8);
        folder.lineTo(20, 8);
        folder.lineTo(20, 20);
        folder.lineTo(2, 20);
        folder.closeSubpath();
        p.drawPath(folder);
        photo(p, QRectF(9.5, 3.5, 12, 9));
        p.setBrush(QColor(0xfb, 0xdc, 0x84));
        QPainterPath flap;
        flap.moveTo(4, 11);
        flap.lineTo(22, 11);
        flap.lineTo(20, 20);
        flap.lineTo(2, 20);
        flap.closeSubpath();
        p.drawPath(flap);
    } else if (key == QStringLiteral("DEL")) {
        photo(p, QRectF(2.5, 4.5, 14, 11));
        p.setPen(QPen(QColor(0xd0, 0x2c, 0x2c), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(13, 12), QPointF(21, 20));
        p.drawLine(QPointF(21, 12), QPointF(13, 20));
    } else if (key == QStringLiteral("UP") || key == QStringLiteral("DOWN")) {
        const bool up = key == QStringLiteral("UP");
        QPainterPath shape;
        if (up) {
            shape.moveTo(12, 3);
            shape.lineTo(21, 12);
            shape.lineTo(15.5, 12);
            shape.lineTo(15.5, 21);
            shape.lineTo(8.5, 21);
            shape.lineTo(8.5, 12);
            shape.lineTo(3, 12);
        } else {
            shape.moveTo(12, 21);
            shape.lineTo(21, 12);
            shape.lineTo(15.5, 12);
            shape.lineTo(15.5, 3);
            shape.lineTo(8.5, 3);
            shape.lineTo(8.5, 12);
            shape.lineTo(3, 12);
        }
        shape.closeSubpath();
        p.setPen(QPen(kPhotoDark, 1));
        p.setBrush(kPhoto);
        p.drawPath(shape);
    } else if (key == QStringLiteral("CLIP")) {
        p.setPen(QPen(QColor(0x7a, 0x5a, 0x32), 1));
        p.setBrush(QColor(0xc8, 0x9a, 0x5c));
        p.drawRoundedRect(QRectF(3.5, 4.5, 17, 18), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6.5, 7.5, 11, 12));
        p.setBrush(QColor(0x9a, 0xa4, 0xb0));
        p.drawRoundedRect(QRectF(8, 2.5, 8, 4), 1.5, 1.5);
        photo(p, QRectF(8, 10, 8, 7));
    } else if (key == QStringLiteral("EXCELMODE")) {
        cells(p, QRectF(1.5, 1.5, 21, 21), 3, 3);
        photo(p, QRectF(4.5, 4.5, 10, 8));
        photo(p, QRectF(8.5, 8.5, 10, 8));
        photo(p, QRectF(12.5, 12.5, 10, 8));
    } else if (key == QStringLiteral("SELECTEDMODE")) {
        cells(p, QRectF(1.5, 1.5, 21, 21), 2, 2);
        photo(p, QRectF(3, 3, 8, 8));
        photo(p, QRectF(13.5, 3, 8, 8));
        photo(p, QRectF(3, 13.5, 8, 8));
        photo(p, QRectF(13.5, 13.5, 8, 8));
        p.setPen(QPen(kSelection, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1.5, 1.5, 21, 21));
    } else if (key == QStringLiteral("CLICKMODE") || key == QStringLiteral("CLICKMODE_CHECK")) {
        cells(p, QRectF(1.5, 1.5, 21, 21), 2, 2);
        photo(p, QRectF(3, 3, 8, 8));
        p.setPen(QPen(kSelection, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(12.5, 12.5, 10, 10));
        pointer(p, QPointF(14, 13), 0.62);
        if (key == QStringLiteral("CLICKMODE_CHECK")) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 255, 255, 220));
            p.drawEllipse(QRectF(11, 0, 13, 13));
            tick(p, QRectF(12, 1, 11, 11), QColor(0xd0, 0x30, 0x30));
        }
    } else if (key == QStringLiteral("END")) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(0xe6, 0xe9, 0xee));
        p.drawRect(QRectF(3.5, 2.5, 11, 19));
        p.setBrush(QColor(0x8a, 0x5a, 0x3a));
        QPolygonF door(
            {QPointF(3.5, 2.5), QPointF(11.5, 4.5), QPointF(11.5, 23.5), QPointF(3.5, 21.5)});
        p.drawPolygon(door);
        arrow(p, QPointF(13, 12), QPointF(22, 12), QColor(0xd0, 0x30, 0x30));
    } else if (key == QStringLiteral("PITTARI")) {
        cells(p, QRectF(1.5, 3.5, 21, 17), 1, 1);
        photo(p, QRectF(2.5, 4.5, 19, 15));
    } else if (key == QStringLiteral("SUPPORI")) {
        cells(p, QRectF(1.5, 3.5, 21, 17), 1, 1);
        photo(p, QRectF(6.5, 4.5, 11, 15));
    } else if (key == QStringLiteral("BISSIRI")) {
        p.setOpacity(0.35);
        photo(p, QRectF(1.5, 0.5, 21, 23));
        p.setOpacity(1);
        p.save();
        p.setClipRect(QRectF(1.5, 3.5, 21, 17));
        photo(p, QRectF(1.5, 0.5, 21, 23));
        p.restore();
        p.setPen(QPen(kInk, 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1.5, 3.5, 21, 17));
    }
}

void caption(QPainter& p, const QRect& r, const QString& text)
{
    QFont font = p.font();
    font.setPixelSize(12);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0x23, 0x3a, 0x5e));
    p.drawText(r, Qt::AlignCenter | Qt::TextWordWrap, text);
}

} // namespace

QIcon dialogIcon(const QString& key)
{
    static const QStringList known = {QStringLiteral("OPEN"),
                                      QStringLiteral("DEL"),
                                      QStringLiteral("UP"),
                                      QStringLiteral("DOWN"),
                                      QStringLiteral("CLIP"),
                                      QStringLiteral("EXCELMODE"),
                                      QStringLiteral("SELECTEDMODE"),
                                      QStringLiteral("CLICKMODE"),
                                      QStringLiteral("CLICKMODE_CHECK"),
                                      QStringLiteral("END"),
                                      QStringLiteral("PITTARI"),
                                      QStringLiteral("SUPPORI"),
                                      QStringLiteral("BISSIRI")};
    if (!known.contains(key))
        return {};
    return drawn([&](QPainter& p) { paintIcon(p, key); });
}

QImage modeTipPicture(const QString& key)
{
    QImage image(kTipSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(0xff, 0xfd, 0xe8));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x9a, 0x8c, 0x4c), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, kTipSize.width() - 1, kTipSize.height() - 1));

    const QRectF sheet(12.5, 10.5, 120, 78);
    if (key == QStringLiteral("EXCELMODE")) {
        cells(p, sheet, 4, 4);
        for (int i = 0; i < 3; ++i)
            photo(p, QRectF(sheet.left() + 8 + 14 * i, sheet.top() + 6 + 12 * i, 48, 34));
        caption(p, QRect(138, 8, 90, 84),
                QStringLiteral("設定を無視して\n元の大きさで\n重ねて挿入"));
    } else if (key == QStringLiteral("SELECTEDMODE")) {
        cells(p, sheet, 4, 4);
        const double w = sheet.width() / 4, h = sheet.height() / 4;
        for (int r = 1; r <= 2; ++r)
            for (int c = 1; c <= 2; ++c)
                photo(p, QRectF(sheet.left() + c * w + 2, sheet.top() + r * h + 2, w - 4, h - 4));
        p.setPen(QPen(kSelection, 2.5));
        p.drawRect(QRectF(sheet.left() + w, sheet.top() + h, 2 * w, 2 * h));
        caption(p, QRect(138, 8, 90, 84), QStringLiteral("選択中の\nセルに\n一括挿入"));
    } else if (key == QStringLiteral("CLICKMODE")) {
        cells(p, sheet, 4, 4);
        const double w = sheet.width() / 4, h = sheet.height() / 4;
        photo(p, QRectF(sheet.left() + 2, sheet.top() + 2, w - 4, h - 4));
        photo(p, QRectF(sheet.left() + 2 * w + 2, sheet.top() + h + 2, w - 4, h - 4));
        p.setPen(QPen(kSelection, 2.5));
        p.drawRect(QRectF(sheet.left() + w, sheet.top() + 3 * h, w, h));
        pointer(p, QPointF(sheet.left() + w + w * 0.55, sheet.top() + 3 * h + h * 0.45), 1.0);
        caption(p, QRect(138, 8, 90, 84), QStringLiteral("セルを\n選択する毎に\n連続挿入"));
    }
    QFont font = p.font();
    font.setPixelSize(11);
    font.setBold(false);
    p.setFont(font);
    p.setPen(QColor(0x55, 0x55, 0x55));
    p.drawText(QRect(8, 94, kTipSize.width() - 16, 30), Qt::AlignCenter | Qt::TextWordWrap,
               key == QStringLiteral("EXCELMODE")
                   ? QStringLiteral("全設定を無視してエクセル標準の方法で一括挿入")
               : key == QStringLiteral("SELECTEDMODE")
                   ? QStringLiteral("すでに選択中のセルに一括挿入")
                   : QStringLiteral("これからセルを選択する毎に連続挿入"));
    return image;
}

} // namespace picrows
