#include "host/xlsx/theme_part.h"

#include "host/xlsx/xml_util.h"

#include <QString>

#include <string_view>

namespace host::xlsx {

namespace {

std::optional<QRgb> schemeColor(pugi::xml_node entry)
{
    for (pugi::xml_node c : entry.children()) {
        // A system colour carries the colour it had when saved.
        const pugi::xml_attribute value = xml::is(c, "srgbClr")  ? c.attribute("val")
                                          : xml::is(c, "sysClr") ? c.attribute("lastClr")
                                                                 : pugi::xml_attribute();
        bool ok = false;
        const uint rgb = xml::text(value).toUInt(&ok, 16);
        if (ok)
            return qRgb(qRed(rgb), qGreen(rgb), qBlue(rgb));
        if (xml::is(c, "sysClr")) // no saved colour: the usual window colours
            return std::string_view(c.attribute("val").value()) == "window" ? qRgb(255, 255, 255)
                                                                            : qRgb(0, 0, 0);
    }
    return std::nullopt;
}

} // namespace

std::optional<std::array<QRgb, 12>> readThemeColors(pugi::xml_node root)
{
    const pugi::xml_node scheme = xml::child(xml::child(root, "themeElements"), "clrScheme");
    static constexpr std::string_view kNames[] = {"dk1",     "lt1",     "dk2",     "lt2",
                                                  "accent1", "accent2", "accent3", "accent4",
                                                  "accent5", "accent6", "hlink",   "folHlink"};
    std::array<QRgb, 12> out{};
    for (size_t i = 0; i < std::size(kNames); ++i) {
        const auto colour = schemeColor(xml::child(scheme, kNames[i]));
        if (!colour)
            return std::nullopt;
        out[i] = *colour;
    }
    return out;
}

} // namespace host::xlsx
