#include "host/xlsx/drawing_writer.h"

#include "host/imaging/pending_picture.h"
#include "host/model/workbook.h"
#include "host/xlsx/anchors.h"
#include "host/xlsx/drawing_reader.h"
#include "host/xlsx/drawing_source.h"
#include "host/xlsx/drawing_xml.h"
#include "host/xlsx/opc.h"
#include "host/xlsx/package_state.h"
#include "host/xlsx/shape_builder.h"
#include "host/xlsx/xml_util.h"

#include <algorithm>

namespace host::xlsx {

using model::Shape;

namespace {

namespace dx = drawingxml;

const char kRelationshipsType[] = "application/vnd.openxmlformats-package.relationships+xml";

QString freeName(const model::PackageState& package, DrawingSaveState& state, const QString& folder,
                 const QString& stem, const QString& ext)
{
    for (int n = 1;; ++n) {
        const QString name = folder + u'/' + stem + QString::number(n) + u'.' + ext;
        if (!package.hasPart(name) && !state.claimed.count(name.toCaseFolded())) {
            state.claimed.insert(name.toCaseFolded());
            return name;
        }
    }
}

// A relationships part being edited: its document and the ids it holds.
class Relationships
{
public:
    Relationships(const model::PackageState& package, const QString& part) : m_part(part)
    {
        const QString rels = opc::relationshipsPart(part);
        if (package.hasPart(rels)) {
            try {
                m_doc = xml::parse(package.readPart(rels), rels);
            } catch (const PackageError&) {
                m_doc.reset();
            }
        }
        if (!m_doc.document_element()) {
            m_doc = xml::newDocument();
            m_doc.append_child("Relationships").append_attribute("xmlns") = opc::kRelationshipsNs;
        }
        for (const opc::Relationship& r : opc::parseRelationships(m_doc))
            m_ids.insert(r.id);
    }

    bool has(const QString& id) const { return m_ids.count(id) != 0; }

    QString add(const QString& type, const QString& target)
    {
        QString id;
        for (int n = 1; id.isEmpty(); ++n) {
            const QString candidate = QStringLiteral("rId%1").arg(n);
            if (!m_ids.count(candidate))
                id = candidate;
        }
        m_ids.insert(id);
        pugi::xml_node r = xml::appendChild(m_doc.document_element(), "Relationship");
        xml::setAttr(r, "Id", id);
        xml::setAttr(r, "Type", type);
        xml::setAttr(r, "Target", opc::relativeTarget(m_part, target));
        return id;
    }

    // Drops the relationships of `kind` whose id nothing in `used` names.
    void prune(const QString& kind, const std::set<QString>& used)
    {
        for (pugi::xml_node r : xml::children(m_doc.document_element(), "Relationship")) {
            const QString id = xml::text(r.attribute("Id"));
            if (opc::kindOf(xml::text(r.attribute("Type"))) == kind && !used.count(id)) {
                m_doc.document_element().remove_child(r);
                m_ids.erase(id);
            }
        }
    }

    DrawingParts::Part part() const
    {
        return {opc::relationshipsPart(m_part), xml::serialize(m_doc),
                QString::fromUtf8(kRelationshipsType)};
    }

private:
    QString m_part;
    pugi::xml_document m_doc;
    std::set<QString> m_ids;
};

void declare(pugi::xml_node root, const char* name, const char* uri)
{
    if (!root.attribute(name))
        root.append_attribute(name) = uri;
}

std::set<QString> attributeValues(const pugi::xml_document& doc)
{
    std::set<QString> values;
    xml::forEachElement(doc, [&](pugi::xml_node n) {
        for (pugi::xml_attribute a : n.attributes())
            values.insert(QString::fromUtf8(a.value()));
    });
    return values;
}

} // namespace

namespace {

void collectPending(const std::vector<Shape>& shapes,
                    std::vector<std::shared_ptr<imaging::PendingPicture>>& out)
{
    for (const Shape& shape : shapes) {
        if (shape.picture && shape.picture->image.bytes.isEmpty() && shape.picture->image.pending)
            out.push_back(shape.picture->image.pending);
        collectPending(shape.members, out);
    }
}

// Pasted pictures not encoded yet are encoded now, on every core, before any is written.
void makePendingPictures(const std::vector<Shape>& shapes)
{
    std::vector<std::shared_ptr<imaging::PendingPicture>> pending;
    collectPending(shapes, pending);
    imaging::makeAll(pending);
}

} // namespace

bool drawingNeedsWriting(const model::Sheet& sheet)
{
    if (sheet.drawing.dirty)
        return true;
    for (const Shape& s : sheet.drawing.shapes) {
        if (s.kind != model::ShapeKind::Comment && isDirtyTree(s))
            return true;
    }
    return false;
}

DrawingParts writeDrawing(const model::Workbook& book, const model::PackageState& package,
                          const model::Sheet& sheet, const QString& sheetPart,
                          pugi::xml_node sheetRoot, DrawingSaveState& state)
{
    DrawingParts out;
    QString part = linkedPart(package, sheetPart, sheetRoot, "drawing");
    const bool existing = !part.isEmpty();
    // Comments live in their own parts: a sheet with nothing else needs no drawing part.
    const bool anything =
        std::any_of(sheet.drawing.shapes.begin(), sheet.drawing.shapes.end(),
                    [](const Shape& s) { return s.kind != model::ShapeKind::Comment; });
    if (!existing && !anything)
        return out;
    pugi::xml_document original;
    if (existing) {
        try {
            original = xml::parse(package.readPart(part), part);
        } catch (const PackageError&) {
            original.reset(); // unreadable: it is replaced by what the model holds
        }
    } else {
        part = freeName(package, state, QStringLiteral("xl/drawings"), QStringLiteral("drawing"),
                        QStringLiteral("xml"));
    }

    makePendingPictures(sheet.drawing.shapes);

    pugi::xml_document doc = xml::newDocument();
    pugi::xml_node root;
    if (const pugi::xml_node was = original.document_element()) {
        root = doc.append_child(was.name());
        for (pugi::xml_attribute a : was.attributes())
            root.append_attribute(a.name()) = a.value();
    } else {
        root = doc.append_child("xdr:wsDr");
    }
    const bool strict = package.strict;
    declare(root, "xmlns:xdr",
            strict ? dx::kStrictSpreadsheetDrawingNs : dx::kSpreadsheetDrawingNs);
    declare(root, "xmlns:a", strict ? dx::kStrictDrawingMainNs : dx::kDrawingMainNs);
    declare(root, "xmlns:r", strict ? opc::kStrictRelNs : opc::kTransitionalRelNs);

    Relationships rels(package, part);
    auto usable = [&](const model::DrawingSource& source) {
        return existing && source.origin == model::DrawingSource::Origin::Drawing &&
               source.package == &package && source.part.compare(part, Qt::CaseInsensitive) == 0;
    };
    std::map<QByteArray, QString> embedded; // picture key → relationship id in this drawing
    auto embed = [&](const Shape& shape) -> QString {
        if (!shape.picture)
            return {};
        const model::DrawingSource* source = shape.source.get();
        const bool home =
            source && usable(*source) && !source->embedId.isEmpty() && rels.has(source->embedId);
        const imaging::EncodedImage& image = shape.picture->image;
        if (image.isNull())
            return home ? source->embedId : QString();
        if (home && source->mediaKey == image.key)
            return source->embedId;
        if (const auto it = embedded.find(image.key); it != embedded.end())
            return it->second;
        QString media;
        if (const auto it = state.mediaByKey.find(image.key); it != state.mediaByKey.end()) {
            media = it->second;
        } else {
            const QByteArray bytes = image.encodedBytes();
            if (bytes.isEmpty()) // a pasted rendering that could not be made
                return home ? source->embedId : QString();
            const QString ext = imaging::fileExtension(image.format);
            media =
                freeName(package, state, QStringLiteral("xl/media"), QStringLiteral("image"), ext);
            state.mediaByKey[image.key] = media;
            out.parts.push_back({media, bytes, QString()});
            out.defaults[ext] = imaging::mimeType(image.format);
        }
        const QString id = rels.add(opc::relationshipType(strict, "image"), media);
        embedded[image.key] = id;
        return id;
    };

    const AnchorGeometry geometry(sheet, digitWidthOf(book));
    const ShapeBuilder builder(geometry, book.palette, embed, usable);
    for (const Shape& shape : sheet.drawing.shapes) {
        if (shape.kind == model::ShapeKind::Comment)
            continue;
        if (!isDirtyTree(shape) && shape.source && usable(*shape.source) && shape.source->node())
            appendKeptCopy(root, *shape.source, shape.source->node());
        else if (builder.canWrite(shape))
            builder.appendAnchor(root, shape);
    }

    rels.prune(QStringLiteral("image"), attributeValues(doc));
    out.parts.push_back(
        {part, xml::serialize(doc), existing ? QString() : QString::fromUtf8(dx::kDrawingType)});
    out.parts.push_back(rels.part());

    if (!existing) {
        Relationships sheetRels(package, sheetPart);
        out.newRelationshipId = sheetRels.add(opc::relationshipType(strict, "drawing"), part);
        out.parts.push_back(sheetRels.part());
    }
    return out;
}

} // namespace host::xlsx
