#pragma once

#include "host/automation/member_table.h"

#include <QByteArray>

#include <cstdint>

namespace host {

// A picture object as the ribbon's image callbacks and CommandBars.GetImageMso hand it over:
// a bitmap carried as PNG bytes, so that it crosses processes and needs no painting library
// here. Type is 1 (bitmap); Width and Height are in HIMETRIC (2540 per inch at 96 pixels).
class PictureDisp : public TableDispatch<PictureDisp>
{
public:
    PictureDisp(QByteArray png, std::int32_t widthPx, std::int32_t heightPx)
        : m_png(std::move(png)), m_width(widthPx), m_height(heightPx)
    {
    }

    static const MemberTable<PictureDisp>& members();
    QString className() const override { return QStringLiteral("StdPicture"); }

    const QByteArray& png() const { return m_png; }
    std::int32_t widthPx() const { return m_width; }
    std::int32_t heightPx() const { return m_height; }

private:
    QByteArray m_png;
    std::int32_t m_width;
    std::int32_t m_height;
};

// The picture behind a reference; none when it holds another kind of object.
std::shared_ptr<PictureDisp> pictureOf(const ObjectRef& object);

} // namespace host
