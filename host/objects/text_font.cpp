#include "host/objects/text_font.h"

#include "host/model/workbook.h"
#include "host/objects/shape_errors.h"
#include "host/objects/text_frame.h"
#include "host/objects/workbook.h"

#include <QColor>

#include <limits>

namespace host::objects {

namespace {

constexpr int kColorIndexAutomatic = -4105;
constexpr int kUnderlineNone = -4142;
constexpr int kUnderlineSingle = 2;
const QString kClass = QStringLiteral("Font");

std::int32_t toBgr(QRgb rgb)
{
    return std::int32_t(qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16));
}

QRgb fromBgr(std::int32_t bgr)
{
    return qRgb(bgr & 0xff, (bgr >> 8) & 0xff, (bgr >> 16) & 0xff);
}

// The palette entry nearest to a colour, as ColorIndex answers for an explicit colour.
int nearestIndex(const model::Workbook& book, QRgb rgb)
{
    int best = 1;
    int bestDistance = std::numeric_limits<int>::max();
    for (size_t i = 0; i < book.palette.size(); ++i) {
        const QRgb p = book.palette[i];
        const int dr = qRed(p) - qRed(rgb), dg = qGreen(p) - qGreen(rgb),
                  db = qBlue(p) - qBlue(rgb);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = int(i) + 1;
        }
    }
    return best;
}

model::TextFont& fontIn(model::Shape& shape)
{
    return textBodyOf(shape).font;
}

} // namespace

ObjectRef fontOf(const ShapeSet& set)
{
    return std::make_shared<TextFontObject>(set);
}

const MemberTable<TextFontObject>& TextFontObject::members()
{
    static const MemberTable<TextFontObject> table = [] {
        using F = TextFontObject;
        MemberTable<F> t;
        const auto font = [](F& f) -> model::TextFont& { return fontIn(f.set().first()); };
        // Every change may resize a box that fits its text.
        const auto change = [](F& f, const QString& name, std::function<void(model::TextFont&)> c) {
            f.set().set(name, kClass, [&](model::Shape& shape) {
                c(fontIn(shape));
                textLayoutChanged(f.set().worksheet(), shape);
            });
        };
        t.prop(
            QStringLiteral("Name"),
            [font](F& f) {
                const QString name = font(f).name;
                return Variant(name.isEmpty() ? f.set().worksheet().book().model().defaultFontName
                                              : name);
            },
            [change](F& f, const Variant& v) {
                const QString name = v.toString();
                if (name.isEmpty())
                    raiseCannotSet(QStringLiteral("Name"), kClass);
                change(f, QStringLiteral("Name"), [&](model::TextFont& x) { x.name = name; });
            });
        t.prop(
            QStringLiteral("Size"), [font](F& f) { return Variant(font(f).size); },
            [change](F& f, const Variant& v) {
                const double size = v.toDouble();
                if (!(size >= 1 && size <= 409))
                    raiseCannotSet(QStringLiteral("Size"), kClass);
                change(f, QStringLiteral("Size"), [&](model::TextFont& x) { x.size = size; });
            });
        t.prop(
            QStringLiteral("ColorIndex"),
            [font](F& f) {
                const model::TextFont& x = font(f);
                return Variant(std::int32_t(
                    x.colorIndex > 0 ? x.colorIndex
                                     : nearestIndex(f.set().worksheet().book().model(), x.color)));
            },
            [change](F& f, const Variant& v) {
                std::int32_t index = v.toInt32();
                if (index == kColorIndexAutomatic)
                    index = 1;
                if (index < 1 || index > 56)
                    raiseCannotSet(QStringLiteral("ColorIndex"), kClass);
                const QRgb rgb = f.set().worksheet().book().model().palette[size_t(index - 1)];
                change(f, QStringLiteral("ColorIndex"), [&](model::TextFont& x) {
                    x.colorIndex = index;
                    x.color = rgb;
                });
            });
        t.prop(
            QStringLiteral("Color"),
            [font](F& f) {
                const model::TextFont& x = font(f);
                const QRgb rgb = x.colorIndex > 0
                                     ? f.set().worksheet().book().model().palette[size_t(
                                           std::min(x.colorIndex, 56) - 1)]
                                     : x.color;
                return Variant(double(toBgr(rgb)));
            },
            [change](F& f, const Variant& v) {
                const double value = v.toDouble();
                if (!(value >= 0 && value <= 0xffffff))
                    raiseCannotSet(QStringLiteral("Color"), kClass);
                change(f, QStringLiteral("Color"), [&](model::TextFont& x) {
                    x.color = fromBgr(std::int32_t(value));
                    x.colorIndex = 0;
                });
            });
        const auto flag = [&t, font, change](const QString& name, bool model::TextFont::*field) {
            t.prop(
                name, [font, field](F& f) { return Variant(font(f).*field); },
                [change, name, field](F& f, const Variant& v) {
                    const bool on = v.toBool();
                    change(f, name, [&](model::TextFont& x) {
                        x.*field = on;
                        // A text is raised or lowered, not both.
                        if (on && field == &model::TextFont::superscript)
                            x.subscript = false;
                        if (on && field == &model::TextFont::subscript)
                            x.superscript = false;
                    });
                });
        };
        flag(QStringLiteral("Bold"), &model::TextFont::bold);
        flag(QStringLiteral("Italic"), &model::TextFont::italic);
        flag(QStringLiteral("Strikethrough"), &model::TextFont::strikethrough);
        flag(QStringLiteral("Superscript"), &model::TextFont::superscript);
        flag(QStringLiteral("Subscript"), &model::TextFont::subscript);
        flag(QStringLiteral("OutlineFont"), &model::TextFont::outline);
        flag(QStringLiteral("Shadow"), &model::TextFont::shadow);
        t.prop(
            QStringLiteral("Underline"),
            [font](F& f) {
                return Variant(std::int32_t(font(f).underline ? kUnderlineSingle : kUnderlineNone));
            },
            [change](F& f, const Variant& v) {
                const std::int32_t style = v.toInt32();
                const bool on = style != kUnderlineNone && style != 0;
                change(f, QStringLiteral("Underline"),
                       [&](model::TextFont& x) { x.underline = on; });
            });
        return t;
    }();
    return table;
}

} // namespace host::objects
