#pragma once

#include <QString>

#include <pugixml.hpp>

namespace host::model {
struct Drawing;
struct PackageState;
} // namespace host::model

namespace host::xlsx {

class AnchorGeometry;

// Appends the sheet's cell comments to `drawing` as Comment shapes, in the order of the
// comments part, placed by their legacy VML shapes where those say where they are. Comments
// are only kept: saving leaves their parts as they are. Raises a PackageError for a comments
// part that cannot be parsed.
void readComments(const model::PackageState& package, const QString& sheetPart,
                  pugi::xml_node sheetRoot, const AnchorGeometry& geometry,
                  model::Drawing& drawing);

} // namespace host::xlsx
