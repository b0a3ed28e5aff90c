#include "host/objects/text_frame.h"

#include "host/model/workbook.h"
#include "host/objects/shape_errors.h"
#include "host/objects/shape_members.h"
#include "host/objects/text_fit.h"
#include "host/objects/text_font.h"
#include "host/objects/workbook.h"

namespace host::objects {

namespace {

bool validHorizontal(int a)
{
    return a == model::kAlignLeft || a == model::kAlignCenter || a == model::kAlignRight ||
           a == model::kAlignJustify || a == model::kAlignDistributed;
}

bool validVertical(int a)
{
    return a == model::kAlignTop || a == model::kAlignCenter || a == model::kAlignBottom ||
           a == model::kAlignJustify || a == model::kAlignDistributed;
}

} // namespace

model::TextBody& textBodyOf(model::Shape& shape)
{
    if (!shape.text) {
        if (shape.kind != model::ShapeKind::AutoShape)
            raise(err::NotSupported);
        shape.text.emplace(); // an autoshape takes text when it is first given some
    }
    return *shape.text;
}

void textLayoutChanged(Worksheet& sheet, model::Shape& shape)
{
    if (shape.text && shape.text->autoSize)
        fitBoxToText(shape, sheet.book().model().defaultFontName);
}

void setShapeText(Worksheet& sheet, model::Shape& shape, const QString& text)
{
    textBodyOf(shape).text = QString(text).replace(u'\r', QString());
    textLayoutChanged(sheet, shape);
}

ObjectRef textFrameOf(const ShapeSet& set)
{
    set.first();
    return std::make_shared<TextFrame>(set);
}

ObjectRef charactersOf(const ShapeSet& set, const BoundArgs& args)
{
    const int start = args.value(0, std::int32_t(1)).toInt32();
    std::optional<int> length;
    if (args.has(1))
        length = args.at(1).toInt32();
    if (start < 1 || (length && *length < 0))
        raise(err::ApplicationDefined,
              QStringLiteral("Unable to get the Characters property of the TextFrame class"));
    return std::make_shared<Characters>(set, start, length);
}

const MemberTable<TextFrame>& TextFrame::members()
{
    static const MemberTable<TextFrame> table = [] {
        using F = TextFrame;
        MemberTable<F> t;
        const QString cls = QStringLiteral("TextFrame");
        const auto body = [](F& f) -> model::TextBody& { return textBodyOf(f.set().first()); };
        const auto integer = [&t, cls, body](const QString& name, int model::TextBody::*field,
                                             std::function<bool(int)> valid) {
            t.prop(
                name, [body, field](F& f) { return Variant(std::int32_t(body(f).*field)); },
                [name, cls, field, valid](F& f, const Variant& v) {
                    const std::int32_t value = v.toInt32();
                    if (!valid(value))
                        raiseCannotSet(name, cls);
                    f.set().set(name, cls, [&](model::Shape& shape) {
                        textBodyOf(shape).*field = value;
                        textLayoutChanged(f.set().worksheet(), shape);
                    });
                });
        };
        integer(QStringLiteral("HorizontalAlignment"), &model::TextBody::horizontalAlignment,
                validHorizontal);
        integer(QStringLiteral("VerticalAlignment"), &model::TextBody::verticalAlignment,
                validVertical);
        integer(QStringLiteral("Orientation"), &model::TextBody::orientation, [](int o) {
            return o == 1 || o == 2 || o == 3 || o == -4171 || o == -4170 || o == -4128 ||
                   o == -4166;
        });
        for (const auto& [name, field] :
             {std::pair{QStringLiteral("MarginLeft"), &model::TextBody::marginLeft},
              std::pair{QStringLiteral("MarginRight"), &model::TextBody::marginRight},
              std::pair{QStringLiteral("MarginTop"), &model::TextBody::marginTop},
              std::pair{QStringLiteral("MarginBottom"), &model::TextBody::marginBottom}}) {
            const QString n = name;
            const auto f_ = field;
            t.prop(
                n, [body, f_](F& f) { return Variant(body(f).*f_); },
                [n, cls, f_](F& f, const Variant& v) {
                    const double value = v.toDouble();
                    if (!(value >= 0) || value > 1584)
                        raiseCannotSet(n, cls);
                    f.set().set(n, cls, [&](model::Shape& shape) {
                        textBodyOf(shape).*f_ = value;
                        textLayoutChanged(f.set().worksheet(), shape);
                    });
                });
        }
        t.prop(
            QStringLiteral("AutoSize"), [body](F& f) { return Variant(body(f).autoSize); },
            [cls](F& f, const Variant& v) {
                const bool on = v.toBool();
                f.set().set(QStringLiteral("AutoSize"), cls, [&](model::Shape& shape) {
                    textBodyOf(shape).autoSize = on;
                    textLayoutChanged(f.set().worksheet(), shape);
                });
            });
        t.member(QStringLiteral("Characters"), {QStringLiteral("Start"), QStringLiteral("Length")},
                 0, [body](F& f, const BoundArgs& args) {
                     body(f);
                     return Variant(charactersOf(f.set(), args));
                 });
        t.prop(QStringLiteral("Parent"),
               [](F& f) { return Variant(shapeObject(f.set().sheet, f.set().ids.front())); });
        return t;
    }();
    return table;
}

std::pair<qsizetype, qsizetype> Characters::span(const QString& text) const
{
    const qsizetype from = std::min<qsizetype>(m_start - 1, text.size());
    const qsizetype rest = text.size() - from;
    return {from, m_length ? std::min<qsizetype>(*m_length, rest) : rest};
}

const MemberTable<Characters>& Characters::members()
{
    static const MemberTable<Characters> table = [] {
        using C = Characters;
        MemberTable<C> t;
        const auto text = [](C& c) { return textBodyOf(c.m_set.first()).text; };
        t.prop(
            QStringLiteral("Text"),
            [text](C& c) {
                const QString all = text(c);
                const auto [from, count] = c.span(all);
                return Variant(all.mid(from, count));
            },
            [](C& c, const Variant& v) {
                const QString part = v.toString();
                c.m_set.set(
                    QStringLiteral("Text"), QStringLiteral("Characters"), [&](model::Shape& shape) {
                        QString all = textBodyOf(shape).text;
                        const auto [from, count] = c.span(all);
                        setShapeText(c.m_set.worksheet(), shape, all.replace(from, count, part));
                    });
            });
        t.member(QStringLiteral("Insert"), {QStringLiteral("String")}, 1,
                 [](C& c, const BoundArgs& args) {
                     c.invoke(QStringLiteral("Text"), CallKind::Let, {args.at(0)});
                     return Variant(true);
                 });
        t.prop(QStringLiteral("Count"),
               [text](C& c) { return Variant(std::int32_t(c.span(text(c)).second)); });
        t.prop(QStringLiteral("Font"), [](C& c) {
            textBodyOf(c.m_set.first());
            return Variant(fontOf(c.m_set));
        });
        return t;
    }();
    return table;
}

} // namespace host::objects
