#include "host/xlsx/package_writer.h"

#include "host/model/workbook.h"
#include "host/xlsx/new_package.h"
#include "host/xlsx/opc.h"
#include "host/xlsx/package_state.h"
#include "host/xlsx/sheet_writer.h"
#include "host/xlsx/styles_part.h"
#include "host/xlsx/xml_util.h"
#include "host/xlsx/zip_archive.h"
#include "host/xlsx/zip_writer.h"

#include <QUrl>

namespace host::xlsx {

using model::Sheet;

namespace {

constexpr std::string_view kWorkbookOrder[] = {"fileVersion",    "fileSharing",
                                               "workbookPr",     "workbookProtection",
                                               "bookViews",      "sheets",
                                               "functionGroups", "externalReferences",
                                               "definedNames",   "calcPr",
                                               "oleSize",        "customWorkbookViews",
                                               "pivotCaches",    "smartTagPr",
                                               "smartTagTypes",  "webPublishing",
                                               "fileRecoveryPr", "webPublishObjects",
                                               "extLst"};

const char* stateOf(int visibility)
{
    return visibility == 0 ? "hidden" : visibility == 2 ? "veryHidden" : nullptr;
}

QString relationshipIdOf(pugi::xml_node sheet)
{
    return xml::text(xml::prefixedAttr(sheet, "id"));
}

} // namespace

PackageWriter::PackageWriter(const model::Workbook& book, const model::PackageState& package,
                             QString targetName)
    : m_book(book), m_package(package), m_targetName(std::move(targetName))
{
}

void PackageWriter::write(const QString& path)
{
    if (m_book.sheets.empty())
        fail(QStringLiteral("a workbook must keep at least one sheet"));
    m_workbook = xml::parse(m_package.readPart(m_package.workbookPart), m_package.workbookPart);
    planSheets();
    writeSheets();
    writeStyles();
    writeWorkbookPart();
    writeWorkbookRelationships();
    writeContentTypes();
    assemble(path);
}

bool PackageWriter::isRemoved(const QString& part) const
{
    return m_removed.count(part.toCaseFolded()) != 0;
}

void PackageWriter::output(const QString& part, QByteArray data)
{
    m_out[part.toCaseFolded()] = {part, std::move(data)};
}

void PackageWriter::addNewPart(const QString& part, const QString& contentType)
{
    m_newParts.emplace_back(part, contentType);
}

bool PackageWriter::anyFormula() const
{
    for (const auto& sheet : m_book.sheets) {
        for (const auto& entry : sheet->cells) {
            if (!entry.second.formula.isEmpty())
                return true;
        }
    }
    return false;
}

void PackageWriter::planSheets()
{
    const QString relsPart = opc::relationshipsPart(m_package.workbookPart);
    const std::vector<opc::Relationship> rels =
        m_package.hasPart(relsPart)
            ? opc::parseRelationships(xml::parse(m_package.readPart(relsPart), relsPart))
            : std::vector<opc::Relationship>();
    std::set<QString> claimed;
    std::set<QString> usedIds;
    for (const opc::Relationship& r : rels)
        usedIds.insert(r.id);

    for (const auto& sheet : m_book.sheets) {
        PlannedSheet p;
        p.sheet = sheet.get();
        const model::SheetSource* source = sheet->source.get();
        // A source from another package (or one a second sheet already uses) cannot be
        // patched here; such a sheet is written from the model alone.
        if (source && source->package == &m_package && m_package.hasPart(source->partName) &&
            !claimed.count(source->partName.toCaseFolded())) {
            p.part = source->partName;
            p.fromPackage = true;
            p.loadedPosition = source->loadedPosition;
            p.relationshipType = source->relationshipType;
            if (!source->relationshipId.isEmpty() && opc::findById(rels, source->relationshipId))
                p.relationshipId = source->relationshipId;
        } else {
            for (int n = 1; p.part.isEmpty(); ++n) {
                const QString name = QStringLiteral("xl/worksheets/sheet%1.xml").arg(n);
                if (!m_package.hasPart(name) && !claimed.count(name.toCaseFolded()))
                    p.part = name;
            }
        }
        claimed.insert(p.part.toCaseFolded());
        m_sheets.push_back(p);
    }
    std::set<QString> kept;
    for (PlannedSheet& p : m_sheets) {
        if (!p.relationshipId.isEmpty()) {
            kept.insert(p.relationshipId);
            continue;
        }
        for (int n = 1; p.relationshipId.isEmpty(); ++n) {
            const QString id = QStringLiteral("rId%1").arg(n);
            if (!usedIds.count(id))
                p.relationshipId = id;
        }
        usedIds.insert(p.relationshipId);
        p.newRelationship = true;
    }
    // Sheets of the file that the model no longer has.
    const pugi::xml_node sheets = xml::child(m_workbook.document_element(), "sheets");
    for (pugi::xml_node s : xml::children(sheets, "sheet")) {
        const QString id = relationshipIdOf(s);
        if (kept.count(id))
            continue;
        m_deletedRelationships.push_back(id);
        const opc::Relationship* r = opc::findById(rels, id);
        const QString part = r ? opc::resolveTarget(m_package.workbookPart, r->target) : QString();
        if (!part.isEmpty() && !claimed.count(part.toCaseFolded())) {
            m_removed.insert(part.toCaseFolded());
            m_removed.insert(opc::relationshipsPart(part).toCaseFolded());
        }
    }
}

void PackageWriter::writeSheets()
{
    const SheetWriteContext context{&m_package.sharedStrings};
    for (const PlannedSheet& p : m_sheets) {
        const bool sheetChanged = !p.fromPackage || isDirty(*p.sheet);
        const bool drawing = drawingNeedsWriting(*p.sheet);
        if (!sheetChanged && !drawing)
            continue;
        pugi::xml_document doc = p.fromPackage ? xml::parse(m_package.readPart(p.part), p.part)
                                               : newSheetPart(m_package.strict);
        if (!p.fromPackage)
            addNewPart(p.part, QString::fromUtf8(kWorksheetType));
        if (sheetChanged && patchSheet(doc.document_element(), *p.sheet, context, !p.fromPackage))
            m_newFormula = true;
        if (!p.sheet->dirtyCells.empty() || !p.fromPackage)
            m_cellsChanged = true;
        bool referenceAdded = false;
        if (drawing) {
            DrawingParts parts = writeDrawing(m_book, m_package, *p.sheet, p.part,
                                              doc.document_element(), m_drawings);
            for (DrawingParts::Part& part : parts.parts) {
                if (!part.contentType.isEmpty())
                    addNewPart(part.name, part.contentType);
                output(part.name, std::move(part.data));
            }
            m_newDefaults.insert(parts.defaults.begin(), parts.defaults.end());
            if (!parts.newRelationshipId.isEmpty()) {
                setDrawingReference(doc.document_element(), parts.newRelationshipId,
                                    m_package.strict);
                referenceAdded = true;
            }
        }
        if (sheetChanged || referenceAdded)
            output(p.part, xml::serialize(doc));
    }
}

void PackageWriter::writeStyles()
{
    const bool palette = m_book.paletteDirty || (!m_package.archive && m_book.customPalette);
    QString part = m_package.stylesPart;
    pugi::xml_document doc;
    if (part.isEmpty()) {
        // Only what the model changed makes a package without styles need them.
        bool formats = m_book.cellFormats.size() > 1;
        for (const model::CellFormat& f : m_book.cellFormats)
            formats = formats || !f.locked || f.formulaHidden;
        if (!palette && !formats)
            return;
        part = m_package.freePartName(QStringLiteral("xl"), QStringLiteral("styles"),
                                      QStringLiteral("xml"));
        doc = xml::parse(
            newStylesPart(m_book.defaultFontName, m_book.defaultFontSize, m_package.strict), part);
        patchStyles(doc.document_element(), m_book, {model::CellFormat{}}, palette);
        m_newStylesPart = part;
        addNewPart(part, QString::fromUtf8(kStylesType));
        output(part, xml::serialize(doc));
        return;
    }
    doc = xml::parse(m_package.readPart(part), part);
    if (patchStyles(doc.document_element(), m_book, m_package.stylesFormats, palette))
        output(part, xml::serialize(doc));
}

bool PackageWriter::writeSheetList(pugi::xml_node root)
{
    pugi::xml_node sheets = xml::ensureChild(root, "sheets", kWorkbookOrder);
    std::vector<pugi::xml_node> existing = xml::children(sheets, "sheet");
    // "visible" is the default state; a file may write it or leave it out.
    auto stateText = [](pugi::xml_node sheet) {
        const std::string_view state = sheet.attribute("state").value();
        return state == "visible" ? std::string_view() : state;
    };
    bool same = existing.size() == m_sheets.size();
    for (size_t i = 0; same && i < existing.size(); ++i) {
        const PlannedSheet& p = m_sheets[i];
        const char* state = stateOf(p.sheet->visibility);
        same = relationshipIdOf(existing[i]) == p.relationshipId &&
               xml::text(existing[i].attribute("name")) == p.sheet->name &&
               stateText(existing[i]) == std::string_view(state ? state : "");
    }
    if (same)
        return false;

    std::map<QString, pugi::xml_node> byId;
    int maxSheetId = 0;
    for (pugi::xml_node s : existing) {
        byId[relationshipIdOf(s)] = s;
        maxSheetId = std::max(maxSheetId, xml::intValue(s.attribute("sheetId")).value_or(0));
    }
    const std::string idName =
        xml::prefixForNamespace(root, {opc::kTransitionalRelNs, opc::kStrictRelNs}, "r",
                                m_package.strict ? opc::kStrictRelNs : opc::kTransitionalRelNs) +
        "id";
    for (const PlannedSheet& p : m_sheets) {
        pugi::xml_node node;
        const auto found = byId.find(p.relationshipId);
        if (found != byId.end() && !p.newRelationship) {
            node = found->second;
            byId.erase(found);
            sheets.append_move(node);
        } else {
            node = xml::appendChild(sheets, "sheet");
            xml::setAttr(node, "name", p.sheet->name);
            xml::setAttr(node, "sheetId", ++maxSheetId);
            xml::setAttr(node, idName.c_str(), p.relationshipId);
        }
        xml::setAttr(node, "name", p.sheet->name);
        if (const char* state = stateOf(p.sheet->visibility))
            xml::setAttr(node, "state", state);
        else if (!stateText(node).empty())
            xml::removeAttr(node, "state");
    }
    for (const auto& [id, node] : byId)
        sheets.remove_child(node);
    return true;
}

void PackageWriter::remapLocalNames(pugi::xml_node root)
{
    pugi::xml_node names = xml::child(root, "definedNames");
    if (!names)
        return;
    std::map<int, int> newIndex;
    for (size_t i = 0; i < m_sheets.size(); ++i) {
        if (m_sheets[i].loadedPosition >= 0)
            newIndex[m_sheets[i].loadedPosition] = int(i);
    }
    for (pugi::xml_node name : xml::children(names, "definedName")) {
        const auto local = xml::intValue(name.attribute("localSheetId"));
        if (!local)
            continue;
        const auto found = newIndex.find(*local);
        if (found == newIndex.end())
            names.remove_child(name); // its sheet is gone
        else
            xml::setAttr(name, "localSheetId", found->second);
    }
    if (!xml::child(names, "definedName"))
        root.remove_child(names);
}

void PackageWriter::writeWorkbookPart()
{
    pugi::xml_node root = m_workbook.document_element();
    const bool listChanged = writeSheetList(root);
    bool changed = listChanged;

    const int last = int(m_sheets.size()) - 1;
    const int active = std::clamp(m_book.activeSheet, 0, last);
    const int first = std::clamp(m_book.firstVisibleTab, 0, last);
    if (listChanged || active != m_package.activeTab || first != m_package.firstSheet ||
        m_book.windowMinimized != m_package.minimized) {
        pugi::xml_node views = xml::ensureChild(root, "bookViews", kWorkbookOrder);
        pugi::xml_node view = xml::child(views, "workbookView");
        if (!view)
            view = xml::appendChild(views, "workbookView");
        for (const auto& [name, value] :
             {std::pair{"activeTab", active}, std::pair{"firstSheet", first}}) {
            if (value)
                xml::setAttr(view, name, value);
            else
                xml::removeAttr(view, name);
        }
        if (m_book.windowMinimized)
            xml::setAttr(view, "visibility", "minimized");
        else if (std::string_view(view.attribute("visibility").value()) == "minimized")
            xml::removeAttr(view, "visibility");
        changed = true;
    }
    if (listChanged)
        remapLocalNames(root);
    // Cached values may now be stale, and new formulas have none: have programs compute on
    // opening.
    if (m_newFormula || (m_cellsChanged && anyFormula())) {
        pugi::xml_node calc = xml::ensureChild(root, "calcPr", kWorkbookOrder);
        xml::setAttr(calc, "fullCalcOnLoad", "1");
        changed = true;
    }
    if (changed)
        output(m_package.workbookPart, xml::serialize(m_workbook));
}

void PackageWriter::writeWorkbookRelationships()
{
    const QString part = opc::relationshipsPart(m_package.workbookPart);
    pugi::xml_document doc;
    if (m_package.hasPart(part)) {
        doc = xml::parse(m_package.readPart(part), part);
    } else {
        doc = xml::newDocument();
        doc.append_child("Relationships").append_attribute("xmlns") = opc::kRelationshipsNs;
    }
    pugi::xml_node root = doc.document_element();
    bool changed = false;
    auto add = [&](const QString& id, const QString& type, const QString& target) {
        pugi::xml_node r = xml::appendChild(root, "Relationship");
        xml::setAttr(r, "Id", id);
        xml::setAttr(r, "Type", type);
        xml::setAttr(r, "Target", opc::relativeTarget(m_package.workbookPart, target));
        changed = true;
    };
    std::set<QString> ids;
    bool hasStyles = false;
    for (pugi::xml_node r : xml::children(root, "Relationship")) {
        ids.insert(xml::text(r.attribute("Id")));
        hasStyles = hasStyles || opc::kindOf(xml::text(r.attribute("Type"))) == u"styles";
    }
    for (const PlannedSheet& p : m_sheets) {
        if (p.newRelationship)
            add(p.relationshipId,
                p.relationshipType.isEmpty() ? opc::relationshipType(m_package.strict, "worksheet")
                                             : p.relationshipType,
                p.part);
    }
    // A styles part that came with a copied sheet into a package without one needs listing.
    QString styles = m_newStylesPart;
    if (styles.isEmpty() && !m_package.stylesPart.isEmpty() && !hasStyles)
        styles = m_package.stylesPart;
    if (!styles.isEmpty() && !hasStyles) {
        QString id;
        for (int n = 1; id.isEmpty(); ++n) {
            const QString candidate = QStringLiteral("rId%1").arg(n);
            bool used = ids.count(candidate) != 0;
            for (const PlannedSheet& p : m_sheets)
                used = used || p.relationshipId == candidate;
            if (!used)
                id = candidate;
        }
        add(id, opc::relationshipType(m_package.strict, "styles"), styles);
    }
    // The calculation chain lists formula cells; once cells changed or sheets went, it no
    // longer matches, and programs rebuild it when it is missing.
    const bool dropChain = m_cellsChanged || !m_deletedRelationships.empty();
    for (pugi::xml_node r : xml::children(root, "Relationship")) {
        const QString id = xml::text(r.attribute("Id"));
        const bool deleted = std::find(m_deletedRelationships.begin(), m_deletedRelationships.end(),
                                       id) != m_deletedRelationships.end();
        const bool chain = dropChain && opc::kindOf(xml::text(r.attribute("Type"))) == u"calcChain";
        if (!deleted && !chain)
            continue;
        if (chain)
            m_removed.insert(
                opc::resolveTarget(m_package.workbookPart, xml::text(r.attribute("Target")))
                    .toCaseFolded());
        root.remove_child(r);
        changed = true;
    }
    if (changed)
        output(part, xml::serialize(doc));
}

void PackageWriter::writeContentTypes()
{
    const QString part = QString::fromUtf8(opc::kContentTypesPart);
    pugi::xml_document doc = xml::parse(m_package.readPart(part), part);
    pugi::xml_node root = doc.document_element();
    bool changed = false;

    std::vector<std::pair<QString, QString>> wanted = m_newParts;
    for (const auto& [folded, added] : m_package.added) {
        const bool inArchive = m_package.archive && m_package.archive->find(added.name);
        if (!inArchive && added.name != part)
            wanted.emplace_back(added.name, added.contentType);
    }
    for (const auto& [ext, type] : m_newDefaults) {
        bool declared = false;
        for (pugi::xml_node d : xml::children(root, "Default"))
            declared = declared ||
                       xml::text(d.attribute("Extension")).compare(ext, Qt::CaseInsensitive) == 0;
        if (declared)
            continue;
        // Defaults come before overrides, as producers write them.
        const pugi::xml_node first = xml::child(root, "Override");
        pugi::xml_node d = first ? root.insert_child_before(pugi::node_element, first)
                                 : root.append_child(pugi::node_element);
        d.set_name((xml::prefix(root) + "Default").c_str());
        xml::setAttr(d, "Extension", ext);
        xml::setAttr(d, "ContentType", type);
        changed = true;
    }
    std::set<QString> done;
    for (const auto& [name, type] : wanted) {
        if (type.isEmpty() || isRemoved(name) || m_package.contentTypes.typeOf(name) == type ||
            !done.insert(name.toCaseFolded()).second)
            continue;
        pugi::xml_node o = xml::appendChild(root, "Override");
        xml::setAttr(o, "PartName", QString::fromUtf8(QUrl::toPercentEncoding(u'/' + name, "/")));
        xml::setAttr(o, "ContentType", type);
        changed = true;
    }
    for (pugi::xml_node o : xml::children(root, "Override")) {
        QString name = QUrl::fromPercentEncoding(o.attribute("PartName").value());
        if (name.startsWith(u'/'))
            name.remove(0, 1);
        if (isRemoved(name)) {
            root.remove_child(o);
            changed = true;
        }
    }
    if (changed)
        output(part, xml::serialize(doc));
}

std::set<QString> PackageWriter::orphanMedia() const
{
    // Every relationships part of the loaded package and of the package being written.
    std::map<QString, QString> loaded; // folded → name
    if (m_package.archive)
        for (const ZipArchive::Entry& e : m_package.archive->entries())
            loaded.emplace(e.name.toCaseFolded(), e.name);
    for (const auto& [folded, added] : m_package.added)
        loaded.emplace(folded, added.name);
    std::map<QString, QString> written;
    for (const auto& [folded, name] : loaded)
        if (!isRemoved(name))
            written.emplace(folded, name);
    for (const auto& [folded, out] : m_out)
        written.emplace(folded, out.first);

    // The parts the relationships of `parts` reach; `fresh` reads this save's content.
    const auto reached = [this](const std::map<QString, QString>& parts, bool fresh) {
        std::set<QString> out;
        for (const auto& [folded, name] : parts) {
            const qsizetype slash = name.lastIndexOf(QStringLiteral("_rels/"));
            if (!folded.endsWith(QStringLiteral(".rels")) || slash < 0)
                continue;
            // "dir/_rels/name.rels" holds the relationships of "dir/name".
            const QString source = name.left(slash) + name.mid(slash + 6).chopped(5);
            const auto rewritten = fresh ? m_out.find(folded) : m_out.end();
            // A part that cannot be read (damaged, but the host never needed it) is skipped
            // before and after alike: what only it reaches is never taken for an orphan.
            try {
                const QByteArray data =
                    rewritten != m_out.end() ? rewritten->second.second : m_package.readPart(name);
                for (const opc::Relationship& r : opc::parseRelationships(xml::parse(data, name)))
                    if (!r.external)
                        out.insert(opc::resolveTarget(source, r.target).toCaseFolded());
            } catch (const PackageError&) {
            }
        }
        return out;
    };
    std::set<QString> orphans;
    try {
        const std::set<QString> before = reached(loaded, false);
        const std::set<QString> after = reached(written, true);
        // Only pictures that this save stopped using: a picture nothing used before stays.
        for (const QString& folded : before)
            if (folded.startsWith(QStringLiteral("xl/media/")) && !after.count(folded))
                orphans.insert(folded);
    } catch (const std::exception&) {
        return {}; // relationships that cannot be read: keep every picture
    }
    return orphans;
}

void PackageWriter::assemble(const QString& path)
{
    ZipWriter writer(path, m_targetName);
    std::set<QString> written;
    const std::set<QString> orphans = orphanMedia();
    auto put = [&](const QString& name) {
        const QString folded = name.toCaseFolded();
        if (isRemoved(name) || orphans.count(folded) || !written.insert(folded).second)
            return;
        if (const auto out = m_out.find(folded); out != m_out.end()) {
            writer.add(out->second.first, out->second.second);
        } else if (const auto added = m_package.added.find(folded);
                   added != m_package.added.end()) {
            writer.add(added->second.name, added->second.data);
        } else if (const ZipArchive::Entry* entry =
                       m_package.archive ? m_package.archive->find(name) : nullptr) {
            writer.copyRaw(*m_package.archive, entry->index, entry->name, entry->stored);
        }
    };
    // Content types first, as producers put them.
    if (!m_package.archive)
        put(QString::fromUtf8(opc::kContentTypesPart));
    if (m_package.archive) {
        for (const ZipArchive::Entry& e : m_package.archive->entries())
            put(e.name);
    }
    for (const auto& [folded, added] : m_package.added)
        put(added.name);
    for (const auto& [folded, out] : m_out)
        put(out.first);
    writer.finish();
}

} // namespace host::xlsx
