#pragma once

#include <QRgb>

#include <pugixml.hpp>

#include <array>
#include <optional>

namespace host::xlsx {

// The colour scheme of a theme part (dk1, lt1, dk2, lt2, accent1–6, hlink, folHlink); none
// when the part has no complete scheme.
std::optional<std::array<QRgb, 12>> readThemeColors(pugi::xml_node root);

} // namespace host::xlsx
