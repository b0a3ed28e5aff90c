#include "host/xl/text_frame.h"

namespace xl {

QString Font::Name() const
{
    return get(QStringLiteral("Name")).toString();
}

void Font::setName(const QString& value) const
{
    let(QStringLiteral("Name"), value);
}

double Font::Size() const
{
    return get(QStringLiteral("Size")).toDouble();
}

void Font::setSize(double value) const
{
    let(QStringLiteral("Size"), value);
}

std::int32_t Font::ColorIndex() const
{
    return get(QStringLiteral("ColorIndex")).toInt32();
}

void Font::setColorIndex(std::int32_t value) const
{
    let(QStringLiteral("ColorIndex"), value);
}

std::int32_t Font::Color() const
{
    return get(QStringLiteral("Color")).toInt32();
}

void Font::setColor(std::int32_t value) const
{
    let(QStringLiteral("Color"), value);
}

bool Font::Bold() const
{
    return get(QStringLiteral("Bold")).toBool();
}

void Font::setBold(bool value) const
{
    let(QStringLiteral("Bold"), value);
}

bool Font::Italic() const
{
    return get(QStringLiteral("Italic")).toBool();
}

void Font::setItalic(bool value) const
{
    let(QStringLiteral("Italic"), value);
}

bool Font::Strikethrough() const
{
    return get(QStringLiteral("Strikethrough")).toBool();
}

void Font::setStrikethrough(bool value) const
{
    let(QStringLiteral("Strikethrough"), value);
}

bool Font::Superscript() const
{
    return get(QStringLiteral("Superscript")).toBool();
}

void Font::setSuperscript(bool value) const
{
    let(QStringLiteral("Superscript"), value);
}

bool Font::Subscript() const
{
    return get(QStringLiteral("Subscript")).toBool();
}

void Font::setSubscript(bool value) const
{
    let(QStringLiteral("Subscript"), value);
}

bool Font::OutlineFont() const
{
    return get(QStringLiteral("OutlineFont")).toBool();
}

void Font::setOutlineFont(bool value) const
{
    let(QStringLiteral("OutlineFont"), value);
}

bool Font::Shadow() const
{
    return get(QStringLiteral("Shadow")).toBool();
}

void Font::setShadow(bool value) const
{
    let(QStringLiteral("Shadow"), value);
}

std::int32_t Font::Underline() const
{
    return get(QStringLiteral("Underline")).toInt32();
}

void Font::setUnderline(std::int32_t style) const
{
    let(QStringLiteral("Underline"), style);
}

QString Characters::Text() const
{
    return get(QStringLiteral("Text")).toString();
}

void Characters::setText(const QString& value) const
{
    let(QStringLiteral("Text"), value);
}

std::int32_t Characters::Count() const
{
    return get(QStringLiteral("Count")).toInt32();
}

xl::Font Characters::Font() const
{
    return xl::Font(get(QStringLiteral("Font")));
}

xl::Characters TextFrame::Characters() const
{
    return xl::Characters(get(QStringLiteral("Characters")));
}

xl::Characters TextFrame::Characters(std::int32_t start, std::int32_t length) const
{
    return xl::Characters(get(QStringLiteral("Characters"), {start, length}));
}

std::int32_t TextFrame::HorizontalAlignment() const
{
    return get(QStringLiteral("HorizontalAlignment")).toInt32();
}

void TextFrame::setHorizontalAlignment(std::int32_t value) const
{
    let(QStringLiteral("HorizontalAlignment"), value);
}

std::int32_t TextFrame::VerticalAlignment() const
{
    return get(QStringLiteral("VerticalAlignment")).toInt32();
}

void TextFrame::setVerticalAlignment(std::int32_t value) const
{
    let(QStringLiteral("VerticalAlignment"), value);
}

bool TextFrame::AutoSize() const
{
    return get(QStringLiteral("AutoSize")).toBool();
}

void TextFrame::setAutoSize(bool value) const
{
    let(QStringLiteral("AutoSize"), value);
}

double TextFrame::MarginLeft() const
{
    return get(QStringLiteral("MarginLeft")).toDouble();
}

void TextFrame::setMarginLeft(double value) const
{
    let(QStringLiteral("MarginLeft"), value);
}

double TextFrame::MarginRight() const
{
    return get(QStringLiteral("MarginRight")).toDouble();
}

void TextFrame::setMarginRight(double value) const
{
    let(QStringLiteral("MarginRight"), value);
}

double TextFrame::MarginTop() const
{
    return get(QStringLiteral("MarginTop")).toDouble();
}

void TextFrame::setMarginTop(double value) const
{
    let(QStringLiteral("MarginTop"), value);
}

double TextFrame::MarginBottom() const
{
    return get(QStringLiteral("MarginBottom")).toDouble();
}

void TextFrame::setMarginBottom(double value) const
{
    let(QStringLiteral("MarginBottom"), value);
}

std::int32_t TextFrame::Orientation() const
{
    return get(QStringLiteral("Orientation")).toInt32();
}

void TextFrame::setOrientation(std::int32_t value) const
{
    let(QStringLiteral("Orientation"), value);
}

} // namespace xl
