#include "host/xlsx/comments_reader.h"

#include "host/model/drawing.h"
#include "host/xlsx/anchors.h"
#include "host/xlsx/drawing_reader.h"
#include "host/xlsx/drawing_source.h"
#include "host/xlsx/opc.h"
#include "host/xlsx/package_state.h"
#include "host/xlsx/sheet_reader.h"
#include "host/xlsx/xml_util.h"

#include <QStringList>

#include <map>

namespace host::xlsx {

namespace {

constexpr double kPixelEmu = 9525; // 0.75 point

struct NoteShape
{
    bool hasAnchor = false;
    CellMarker from, to;
    bool visible = false;
    model::Placement placement = model::Placement::FreeFloating;
};

// The notes of a legacy VML drawing, by cell (0-based row and column).
std::map<std::pair<int, int>, NoteShape> readNotes(const QByteArray& vml)
{
    std::map<std::pair<int, int>, NoteShape> notes;
    pugi::xml_document doc;
    if (!doc.load_buffer(vml.constData(), std::size_t(vml.size()), pugi::parse_default))
        return notes; // old producers write VML that is not XML: no positions then
    xml::forEachElement(doc, [&](pugi::xml_node data) {
        if (!xml::is(data, "ClientData") ||
            std::string_view(data.attribute("ObjectType").value()) != "Note")
            return;
        const auto row = xml::text(xml::child(data, "Row")).trimmed().toInt();
        const auto column = xml::text(xml::child(data, "Column")).trimmed().toInt();
        NoteShape note;
        const QStringList parts = xml::text(xml::child(data, "Anchor")).split(u',');
        if (parts.size() == 8) {
            int v[8];
            bool ok = true;
            for (int i = 0; i < 8 && ok; ++i)
                v[i] = parts[i].trimmed().toInt(&ok);
            if (ok) {
                note.hasAnchor = true;
                note.from = CellMarker{
                    std::clamp(v[0], 0, model::kMaxColumns - 1), (long long)(v[1] * kPixelEmu),
                    std::clamp(v[2], 0, model::kMaxRows - 1), (long long)(v[3] * kPixelEmu)};
                note.to = CellMarker{
                    std::clamp(v[4], 0, model::kMaxColumns - 1), (long long)(v[5] * kPixelEmu),
                    std::clamp(v[6], 0, model::kMaxRows - 1), (long long)(v[7] * kPixelEmu)};
            }
        }
        note.visible = bool(xml::child(data, "Visible"));
        // These two say that the note does not move (or size) with its cells.
        if (!xml::child(data, "MoveWithCells"))
            note.placement = xml::child(data, "SizeWithCells") ? model::Placement::Move
                                                               : model::Placement::MoveAndSize;
        notes[{row, column}] = note;
    });
    return notes;
}

} // namespace

void readComments(const model::PackageState& package, const QString& sheetPart,
                  pugi::xml_node sheetRoot, const AnchorGeometry& geometry, model::Drawing& drawing)
{
    const QString relsPart = opc::relationshipsPart(sheetPart);
    if (!package.hasPart(relsPart))
        return;
    const auto rels = opc::parseRelationships(xml::parse(package.readPart(relsPart), relsPart));
    const opc::Relationship* r = opc::findByType(rels, "comments");
    const QString part = r && !r->external ? opc::resolveTarget(sheetPart, r->target) : QString();
    if (part.isEmpty() || !package.hasPart(part))
        return;
    const pugi::xml_document doc = xml::parse(package.readPart(part), part);

    std::map<std::pair<int, int>, NoteShape> notes;
    const QString vml = linkedPart(package, sheetPart, sheetRoot, "legacyDrawing");
    if (!vml.isEmpty())
        notes = readNotes(package.readPart(vml));

    auto source = std::make_shared<model::DrawingSource>();
    source->origin = model::DrawingSource::Origin::Comment;
    source->package = &package;
    source->part = part;
    int number = 0;
    const pugi::xml_node list = xml::child(doc.document_element(), "commentList");
    for (pugi::xml_node c : xml::children(list, "comment")) {
        const auto cell = model::parseA1(xml::text(c.attribute("ref")));
        if (!cell)
            continue;
        model::Shape shape;
        shape.kind = model::ShapeKind::Comment;
        shape.id = drawing.takeId();
        shape.name = QStringLiteral("Comment %1").arg(++number);
        shape.commentRow = cell->top;
        shape.commentColumn = cell->left;
        shape.lockAspectRatio = false;
        shape.fillVisible = true;
        shape.fillColor = qRgb(255, 255, 225);
        shape.lineVisible = true;
        model::TextBody body;
        body.text = richText(xml::child(c, "text"));
        shape.text = body;
        const auto note = notes.find({cell->top - 1, cell->left - 1});
        if (note != notes.end() && note->second.hasAnchor) {
            const NoteShape& n = note->second;
            shape.left = geometry.x(n.from);
            shape.top = geometry.y(n.from);
            shape.width = std::max(0.0, geometry.x(n.to) - shape.left);
            shape.height = std::max(0.0, geometry.y(n.to) - shape.top);
        } else {
            // Where spreadsheet programs put a new note: beside the cell's top-right corner.
            const CellMarker corner{cell->left, 0, cell->top - 1, 0};
            shape.left = geometry.x(corner) + 11.25;
            shape.top = std::max(0.0, geometry.y(corner) - 5.25);
            shape.width = 108;
            shape.height = 59.25;
        }
        shape.hidden = note == notes.end() || !note->second.visible;
        if (note != notes.end())
            shape.placement = note->second.placement;
        shape.source = source;
        shape.dirty = false;
        drawing.shapes.push_back(std::move(shape));
    }
}

} // namespace host::xlsx
