#include "host/xlsx/drawing_reader.h"

#include "host/imaging/encoded_image.h"
#include "host/imaging/lum_adjust.h"
#include "host/model/workbook.h"
#include "host/xlsx/anchors.h"
#include "host/xlsx/comments_reader.h"
#include "host/xlsx/drawing_source.h"
#include "host/xlsx/drawing_text.h"
#include "host/xlsx/drawing_xml.h"
#include "host/xlsx/opc.h"
#include "host/xlsx/package_state.h"
#include "host/xlsx/xml_util.h"

#include <cmath>
#include <map>
#include <set>

namespace host::xlsx {

using model::Placement;
using model::Shape;
using model::ShapeKind;

namespace {

namespace dx = drawingxml;

// A box in points.
struct Box
{
    double left = 0, top = 0, width = 0, height = 0;
};

// How a group's child coordinates (EMUs of its chOff/chExt space) map to points.
struct ChildSpace
{
    double originX = 0, originY = 0;                             // chOff, EMUs
    double left = 0, top = 0;                                    // the group's box, points
    double scaleX = 1 / kEmuPerPoint, scaleY = 1 / kEmuPerPoint; // points per child EMU

    Box map(pugi::xml_node xfrm) const
    {
        const pugi::xml_node off = xml::child(xfrm, "off");
        const pugi::xml_node ext = xml::child(xfrm, "ext");
        Box b;
        b.left = left + (emuPoints(off.attribute("x")) * kEmuPerPoint - originX) * scaleX;
        b.top = top + (emuPoints(off.attribute("y")) * kEmuPerPoint - originY) * scaleY;
        b.width = std::max(0.0, emuPoints(ext.attribute("cx")) * kEmuPerPoint * scaleX);
        b.height = std::max(0.0, emuPoints(ext.attribute("cy")) * kEmuPerPoint * scaleY);
        return b;
    }
};

double normalisedDegrees(double degrees)
{
    if (!std::isfinite(degrees))
        return 0;
    double r = std::fmod(degrees, 360.0);
    if (r < 0)
        r += 360;
    return r >= 360 ? 0 : r;
}

// Spreadsheet programs anchor a shape turned by about a quarter by the box it covers, which
// has the unrotated box's centre with width and height exchanged.
bool anchorsTurnedBox(double rotation)
{
    return (rotation >= 45 && rotation < 135) || (rotation >= 225 && rotation < 315);
}

Box exchangedAboutCentre(const Box& b)
{
    const double cx = b.left + b.width / 2;
    const double cy = b.top + b.height / 2;
    return Box{cx - b.height / 2, cy - b.width / 2, b.height, b.width};
}

// The namespace declarations in scope at `element`, so that its copy reads the same elsewhere.
std::shared_ptr<const pugi::xml_document> keepElement(pugi::xml_node element)
{
    auto doc = std::make_shared<pugi::xml_document>();
    pugi::xml_node wrapper = doc->append_child("wrapper");
    std::vector<pugi::xml_node> chain;
    for (pugi::xml_node n = element.parent(); n && n.type() == pugi::node_element; n = n.parent())
        chain.push_back(n);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        for (pugi::xml_attribute a : it->attributes()) {
            const std::string_view name = a.name();
            if (name == "xmlns" || name.starts_with("xmlns:")) {
                pugi::xml_attribute existing = wrapper.attribute(a.name());
                (existing ? existing : wrapper.append_attribute(a.name())).set_value(a.value());
            }
        }
    }
    wrapper.append_copy(element);
    return doc;
}

class DrawingReader
{
public:
    DrawingReader(const model::PackageState& package, const QString& part,
                  const AnchorGeometry& geometry, const Palette& palette, const ThemeColors& theme)
        : m_package(package), m_part(part), m_geometry(geometry), m_palette(palette), m_theme(theme)
    {
        const QString relsPart = opc::relationshipsPart(part);
        if (package.hasPart(relsPart))
            m_rels = opc::parseRelationships(xml::parse(package.readPart(relsPart), relsPart));
    }

    void read(pugi::xml_node root, std::vector<Shape>& shapes)
    {
        for (pugi::xml_node top : root.children()) {
            const pugi::xml_node anchor = dx::anchorOf(top);
            if (!anchor)
                continue;
            const pugi::xml_node element = dx::shapeOf(anchor);
            if (!element)
                continue; // an anchor of nothing
            Shape shape;
            readCommon(element, shape);
            readAnchor(anchor, element, shape);
            readKind(element, shape);
            shape.source = source(top, element);
            shapes.push_back(std::move(shape));
        }
    }

private:
    void readAnchor(pugi::xml_node anchor, pugi::xml_node element, Shape& shape)
    {
        Box box;
        bool known = false;
        if (xml::is(anchor, "twoCellAnchor")) {
            shape.anchor = model::AnchorKind::TwoCell;
            const std::string_view editAs = anchor.attribute("editAs").value();
            shape.placement = editAs == "oneCell"    ? Placement::Move
                              : editAs == "absolute" ? Placement::FreeFloating
                                                     : Placement::MoveAndSize;
            CellMarker from, to;
            if (readMarker(xml::child(anchor, "from"), &from) &&
                readMarker(xml::child(anchor, "to"), &to)) {
                box.left = m_geometry.x(from);
                box.top = m_geometry.y(from);
                box.width = std::max(0.0, m_geometry.x(to) - box.left);
                box.height = std::max(0.0, m_geometry.y(to) - box.top);
                known = true;
            }
        } else {
            const pugi::xml_node ext = xml::child(anchor, "ext");
            box.width = std::max(0.0, emuPoints(ext.attribute("cx")));
            box.height = std::max(0.0, emuPoints(ext.attribute("cy")));
            if (xml::is(anchor, "oneCellAnchor")) {
                shape.anchor = model::AnchorKind::OneCell;
                shape.placement = Placement::Move;
                CellMarker from;
                known = readMarker(xml::child(anchor, "from"), &from) && ext;
                box.left = m_geometry.x(from);
                box.top = m_geometry.y(from);
            } else {
                shape.anchor = model::AnchorKind::Absolute;
                shape.placement = Placement::FreeFloating;
                const pugi::xml_node pos = xml::child(anchor, "pos");
                known = pos && ext;
                box.left = emuPoints(pos.attribute("x"));
                box.top = emuPoints(pos.attribute("y"));
            }
        }
        if (known && anchorsTurnedBox(shape.rotation))
            box = exchangedAboutCentre(box);
        if (!known) // a malformed anchor: the shape's own transform still places it
            box = ChildSpace{}.map(dx::transform(element));
        setBox(shape, box);
        if (shape.kind == ShapeKind::Group)
            readMembers(element, shape);
    }

    static void setBox(Shape& shape, const Box& box)
    {
        shape.left = box.left;
        shape.top = box.top;
        shape.width = box.width;
        shape.height = box.height;
    }

    // Name, id, transform, fill and line: what every kind of shape has.
    void readCommon(pugi::xml_node element, Shape& shape)
    {
        shape.dirty = false;
        const pugi::xml_node nv = dx::nonVisual(element);
        shape.id = xml::intValue(nv.attribute("id")).value_or(0);
        shape.name = xml::text(nv.attribute("name"));
        shape.description = xml::text(nv.attribute("descr"));
        shape.hidden = xml::boolValue(nv.attribute("hidden"), false);
        shape.lockAspectRatio =
            xml::boolValue(dx::locks(element).attribute("noChangeAspect"), false);
        const pugi::xml_node xfrm = dx::transform(element);
        shape.rotation =
            normalisedDegrees(xml::doubleValue(xfrm.attribute("rot")).value_or(0) / 60000);
        shape.flipH = xml::boolValue(xfrm.attribute("flipH"), false);
        shape.flipV = xml::boolValue(xfrm.attribute("flipV"), false);

        // A group's own fill is only what members marked "grpFill" take; the group shows none.
        const pugi::xml_node props =
            xml::is(element, "grpSp") ? pugi::xml_node() : dx::properties(element);
        if (const auto fill = solidFillColor(props, m_theme)) {
            shape.fillVisible = true;
            shape.fillColor = *fill;
        }
        const pugi::xml_node ln = xml::child(props, "ln");
        if (ln && !xml::child(ln, "noFill")) {
            shape.lineVisible = true;
            shape.lineColor = solidFillColor(ln, m_theme).value_or(shape.lineColor);
            shape.lineWeight = emuPoints(ln.attribute("w"), shape.lineWeight);
        }
        shape.kind = kindOf(element);
    }

    static ShapeKind kindOf(pugi::xml_node element)
    {
        if (xml::is(element, "pic"))
            return ShapeKind::Picture;
        if (xml::is(element, "grpSp"))
            return ShapeKind::Group;
        if (xml::is(element, "graphicFrame"))
            return ShapeKind::Chart;
        if (xml::is(element, "sp")) {
            const pugi::xml_node c = xml::child(xml::child(element, "nvSpPr"), "cNvSpPr");
            return xml::boolValue(c.attribute("txBox"), false) ? ShapeKind::TextBox
                                                               : ShapeKind::AutoShape;
        }
        return ShapeKind::Other;
    }

    void readKind(pugi::xml_node element, Shape& shape)
    {
        if (shape.kind == ShapeKind::Picture) {
            readPicture(element, shape);
        } else if (shape.kind == ShapeKind::TextBox || shape.kind == ShapeKind::AutoShape) {
            const std::string_view prst =
                xml::child(dx::properties(element), "prstGeom").attribute("prst").value();
            shape.autoShapeType = prst == "roundRect" ? 5 : prst == "ellipse" ? 9 : 1;
            if (const pugi::xml_node body = xml::child(element, "txBody"))
                shape.text = readTextBody(body, m_palette, m_theme);
            else if (shape.kind == ShapeKind::TextBox)
                shape.text = model::TextBody{};
        }
    }

    void readMembers(pugi::xml_node group, Shape& shape)
    {
        const pugi::xml_node xfrm = dx::transform(group);
        const pugi::xml_node chOff = xml::child(xfrm, "chOff");
        const pugi::xml_node chExt = xml::child(xfrm, "chExt");
        ChildSpace space;
        space.originX = emuPoints(chOff.attribute("x")) * kEmuPerPoint;
        space.originY = emuPoints(chOff.attribute("y")) * kEmuPerPoint;
        space.left = shape.left;
        space.top = shape.top;
        const double cx = emuPoints(chExt.attribute("cx")) * kEmuPerPoint;
        const double cy = emuPoints(chExt.attribute("cy")) * kEmuPerPoint;
        if (cx > 0)
            space.scaleX = shape.width / cx;
        if (cy > 0)
            space.scaleY = shape.height / cy;
        for (pugi::xml_node c : group.children()) {
            pugi::xml_node element = c;
            if (xml::is(c, "AlternateContent")) {
                // A member offered in alternatives: read the first that is a shape.
                for (pugi::xml_node b : c.children()) {
                    for (pugi::xml_node s : b.children()) {
                        if (dx::isShape(s)) {
                            element = s;
                            break;
                        }
                    }
                    if (dx::isShape(element))
                        break;
                }
            }
            if (!dx::isShape(element))
                continue;
            Shape member;
            readCommon(element, member);
            setBox(member, space.map(dx::transform(element)));
            if (member.kind == ShapeKind::Group)
                readMembers(element, member);
            readKind(element, member);
            member.placement = shape.placement;
            member.anchor = shape.anchor;
            member.source = source(c, element);
            shape.members.push_back(std::move(member));
        }
    }

    void readPicture(pugi::xml_node element, Shape& shape)
    {
        model::PictureData data;
        const pugi::xml_node blipFill = xml::child(element, "blipFill");
        const pugi::xml_node blip = xml::child(blipFill, "blip");
        m_embedId = xml::text(xml::prefixedAttr(blip, "embed"));
        if (!m_embedId.isEmpty())
            data.image = media(m_embedId);

        const pugi::xml_node lum = xml::child(blip, "lum");
        const int bright = xml::intValue(lum.attribute("bright")).value_or(0);
        const int contrast = xml::intValue(lum.attribute("contrast")).value_or(0);
        data.brightness = std::clamp(imaging::lumHostValue(bright), 0.0, 1.0);
        data.contrast = std::clamp(imaging::lumHostValue(contrast), 0.0, 1.0);
        if (xml::child(blip, "grayscl"))
            data.colorType = 2;
        else if (xml::child(blip, "biLevel"))
            data.colorType = 3;
        else if (bright == 70000 && contrast == -70000)
            data.colorType = 4;

        // srcRect: thousandths of a percent of the picture, cut off (negative: added).
        const pugi::xml_node src = xml::child(blipFill, "srcRect");
        auto fraction = [&](const char* name) {
            const double v = xml::doubleValue(src.attribute(name)).value_or(0) / 100000;
            return std::isfinite(v) ? std::clamp(v, -100.0, 1.0) : 0.0;
        };
        double l = fraction("l"), r = fraction("r"), t = fraction("t"), b = fraction("b");
        if (1 - l - r < 1e-6)
            l = r = 0;
        if (1 - t - b < 1e-6)
            t = b = 0;
        // The untouched size is the picture's own; without a readable picture, the one that
        // shows the visible part at 100 %.
        if (!data.image.isNull()) {
            const QSizeF size = data.image.untouchedSize();
            data.untouchedWidth = size.width();
            data.untouchedHeight = size.height();
        }
        if (data.untouchedWidth <= 0 || data.untouchedHeight <= 0) {
            data.untouchedWidth = shape.width / (1 - l - r);
            data.untouchedHeight = shape.height / (1 - t - b);
        }
        data.cropLeft = l * data.untouchedWidth;
        data.cropRight = r * data.untouchedWidth;
        data.cropTop = t * data.untouchedHeight;
        data.cropBottom = b * data.untouchedHeight;
        m_mediaKey = data.image.key;
        shape.picture = std::move(data);
    }

    imaging::EncodedImage media(const QString& id)
    {
        const opc::Relationship* r = opc::findById(m_rels, id);
        if (!r || r->external)
            return {};
        const QString target = opc::resolveTarget(m_part, r->target);
        if (target.isEmpty())
            return {};
        const QString key = target.toCaseFolded();
        if (const auto done = m_media.find(key); done != m_media.end())
            return done->second;
        imaging::EncodedImage image;
        try {
            if (m_package.hasPart(target))
                image = imaging::probePicture(m_package.readPart(target));
        } catch (...) {
            // An unreadable picture stays on the sheet without its bytes.
            image = {};
        }
        m_media[key] = image;
        return image;
    }

    std::shared_ptr<const model::DrawingSource> source(pugi::xml_node kept, pugi::xml_node element)
    {
        auto s = std::make_shared<model::DrawingSource>();
        s->package = &m_package;
        s->part = m_part;
        s->element = keepElement(kept);
        if (xml::is(element, "pic")) {
            s->embedId = m_embedId;
            s->mediaKey = m_mediaKey;
        }
        m_embedId.clear();
        m_mediaKey.clear();
        return s;
    }

    const model::PackageState& m_package;
    QString m_part;
    const AnchorGeometry& m_geometry;
    const Palette& m_palette;
    const ThemeColors& m_theme;
    std::vector<opc::Relationship> m_rels;
    std::map<QString, imaging::EncodedImage> m_media; // folded part name → picture
    QString m_embedId;                                // of the picture just read
    QByteArray m_mediaKey;
};

// Ids must be unique in the sheet; producers sometimes repeat them or leave them out.
void settleIds(model::Drawing& drawing)
{
    std::set<int> used;
    std::vector<Shape*> unnumbered;
    int highest = 0;
    auto visit = [&](auto& self, std::vector<Shape>& shapes) -> void {
        for (Shape& s : shapes) {
            if (s.id <= 0 || !used.insert(s.id).second)
                unnumbered.push_back(&s);
            else
                highest = std::max(highest, s.id);
            self(self, s.members);
        }
    };
    visit(visit, drawing.shapes);
    drawing.nextId = highest + 1;
    for (Shape* s : unnumbered)
        s->id = drawing.takeId();
}

} // namespace

QString linkedPart(const model::PackageState& package, const QString& sheetPart,
                   pugi::xml_node sheetRoot, std::string_view element)
{
    const QString id = xml::text(xml::prefixedAttr(xml::child(sheetRoot, element), "id"));
    const QString relsPart = opc::relationshipsPart(sheetPart);
    if (id.isEmpty() || !package.hasPart(relsPart))
        return {};
    const auto rels = opc::parseRelationships(xml::parse(package.readPart(relsPart), relsPart));
    const opc::Relationship* r = opc::findById(rels, id);
    if (!r || r->external)
        return {};
    const QString part = opc::resolveTarget(sheetPart, r->target);
    return !part.isEmpty() && package.hasPart(part) ? part : QString();
}

void readSheetDrawing(const model::PackageState& package, const model::Workbook& book,
                      const QString& sheetPart, pugi::xml_node sheetRoot, model::Sheet& sheet)
{
    const AnchorGeometry geometry(sheet, digitWidthOf(book));
    model::Drawing& drawing = sheet.drawing;
    try {
        const QString part = linkedPart(package, sheetPart, sheetRoot, "drawing");
        if (!part.isEmpty()) {
            const pugi::xml_document doc = xml::parse(package.readPart(part), part);
            DrawingReader(package, part, geometry, book.palette, book.themeColors)
                .read(doc.document_element(), drawing.shapes);
        }
    } catch (const PackageError&) {
        // A drawing that cannot be read is left in the package as it is.
        drawing.shapes.clear();
    }
    settleIds(drawing);
    try {
        readComments(package, sheetPart, sheetRoot, geometry, drawing);
    } catch (const PackageError&) {
        // Comments are only kept; the sheet reads without them.
    }
    drawing.dirty = false;
}

} // namespace host::xlsx
