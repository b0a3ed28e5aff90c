#pragma once

#include <QByteArray>
#include <QString>

#include <pugixml.hpp>

#include <map>
#include <set>
#include <vector>

namespace host::model {
struct PackageState;
struct Sheet;
struct Workbook;
} // namespace host::model

namespace host::xlsx {

// What one save shares between the sheets' drawings: the part names it has taken and the
// media parts it has written, so that two drawings showing the same new picture share it.
struct DrawingSaveState
{
    std::set<QString> claimed;                // folded names of parts made in this save
    std::map<QByteArray, QString> mediaByKey; // picture key → media part made in this save
};

struct DrawingParts
{
    struct Part
    {
        QString name;
        QByteArray data;
        QString contentType; // for a part new to the package; empty otherwise
    };
    std::vector<Part> parts;
    std::map<QString, QString> defaults; // extension → content type the package must declare
    // Set when the sheet has no drawing yet: the relationship the sheet part must name in its
    // <drawing r:id>.
    QString newRelationshipId;
};

// Whether the sheet's drawing changed since it was read (or is new with shapes).
bool drawingNeedsWriting(const model::Sheet& sheet);

// Writes the sheet's drawing part from the model: shapes that did not change are copied as
// read, the others built anew with anchors computed from points; pictures reuse their media
// part while their bytes are unchanged and get a new one otherwise. Creates the drawing part,
// its relationship from the sheet and the media content types when the sheet had none.
// `sheetRoot` is the sheet part as it will be written. Comments are left as they are.
DrawingParts writeDrawing(const model::Workbook& book, const model::PackageState& package,
                          const model::Sheet& sheet, const QString& sheetPart,
                          pugi::xml_node sheetRoot, DrawingSaveState& state);

} // namespace host::xlsx
