#pragma once

#include "host/xl/object.h"

#include <cstdint>

namespace xl {

class Font : public Object
{
public:
    using Object::Object;

    QString Name() const;
    void setName(const QString& name) const;
    double Size() const;
    void setSize(double points) const;
    std::int32_t ColorIndex() const;
    void setColorIndex(std::int32_t index) const;
    std::int32_t Color() const; // 0x00BBGGRR
    void setColor(std::int32_t bgr) const;
    bool Bold() const;
    void setBold(bool on) const;
    bool Italic() const;
    void setItalic(bool on) const;
    bool Strikethrough() const;
    void setStrikethrough(bool on) const;
    bool Superscript() const;
    void setSuperscript(bool on) const;
    bool Subscript() const;
    void setSubscript(bool on) const;
    bool OutlineFont() const;
    void setOutlineFont(bool on) const;
    bool Shadow() const;
    void setShadow(bool on) const;
    std::int32_t Underline() const; // 2 single, -4142 none
    void setUnderline(std::int32_t style) const;
};

class Characters : public Object
{
public:
    using Object::Object;

    QString Text() const;
    void setText(const QString& text) const;
    std::int32_t Count() const;
    xl::Font Font() const;
};

class TextFrame : public Object
{
public:
    using Object::Object;

    xl::Characters Characters() const;
    xl::Characters Characters(std::int32_t start, std::int32_t length) const;
    std::int32_t HorizontalAlignment() const;
    void setHorizontalAlignment(std::int32_t alignment) const;
    std::int32_t VerticalAlignment() const;
    void setVerticalAlignment(std::int32_t alignment) const;
    bool AutoSize() const;
    void setAutoSize(bool on) const;
    double MarginLeft() const;
    double MarginRight() const;
    double MarginTop() const;
    double MarginBottom() const;
    void setMarginLeft(double points) const;
    void setMarginRight(double points) const;
    void setMarginTop(double points) const;
    void setMarginBottom(double points) const;
    std::int32_t Orientation() const;
    void setOrientation(std::int32_t orientation) const;
};

} // namespace xl
