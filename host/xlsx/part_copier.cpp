#include "host/xlsx/part_copier.h"

#include "host/automation/host_error.h"
#include "host/xlsx/opc.h"
#include "host/xlsx/package_state.h"
#include "host/xlsx/xml_util.h"
#include "host/xlsx/zip_archive.h"

#include <set>

namespace host::xlsx {

namespace {

constexpr int kMaxDepth = 8; // drawing → chart → embedded drawing → image is four

const char kRelationshipsType[] = "application/vnd.openxmlformats-package.relationships+xml";
const char kTableType[] = "application/vnd.openxmlformats-officedocument.spreadsheetml.table+xml";

bool isShareable(const QString& kind)
{
    static const std::set<QString> kinds = {QStringLiteral("image"),  QStringLiteral("hdphoto"),
                                            QStringLiteral("video"),  QStringLiteral("audio"),
                                            QStringLiteral("media"),  QStringLiteral("oleObject"),
                                            QStringLiteral("package")};
    return kinds.count(kind) != 0;
}

// "xl/drawings/drawing3.xml" → folder "xl/drawings", stem "drawing", extension "xml".
void splitName(const QString& part, QString* folder, QString* stem, QString* ext)
{
    *folder = opc::folderOf(part);
    QString base = part.mid(folder->isEmpty() ? 0 : folder->size() + 1);
    const qsizetype dot = base.lastIndexOf(u'.');
    *ext = dot >= 0 ? base.mid(dot + 1) : QString();
    base.truncate(dot >= 0 ? dot : base.size());
    while (!base.isEmpty() && base.back().isDigit())
        base.chop(1);
    *stem = base.isEmpty() ? QStringLiteral("part") : base;
}

// Every part of the package, from the archive and from what was added since.
std::vector<QString> partNames(const model::PackageState& package)
{
    std::vector<QString> names;
    if (package.archive) {
        for (const ZipArchive::Entry& e : package.archive->entries()) {
            if (!e.directory && !package.added.count(e.name.toCaseFolded()))
                names.push_back(e.name);
        }
    }
    for (const auto& [folded, part] : package.added)
        names.push_back(part.name);
    return names;
}

} // namespace

PartCopier::PartCopier(const model::PackageState& from, model::PackageState& to)
    : m_from(from), m_to(to), m_samePackage(&from == &to)
{
}

void PartCopier::copyAs(const QString& part, const QString& newName, const QByteArray& data)
{
    m_to.putPart(newName, data, m_from.contentTypeOf(part));
    m_copied[part.toCaseFolded()] = newName;
    copyRelationships(part, newName, 0);
}

QString PartCopier::copyPart(const QString& part, int depth)
{
    const auto done = m_copied.find(part.toCaseFolded());
    if (done != m_copied.end())
        return done->second;
    QString folder, stem, ext;
    splitName(part, &folder, &stem, &ext);
    const QString newName = m_to.freePartName(folder, stem, ext);
    const QString type = m_from.contentTypeOf(part);
    QByteArray data = m_from.readPart(part);
    if (type == QString::fromUtf8(kTableType))
        data = renamedTable(data, part);
    m_to.putPart(newName, data, type);
    m_copied[part.toCaseFolded()] = newName;
    copyRelationships(part, newName, depth + 1);
    return newName;
}

void PartCopier::copyRelationships(const QString& part, const QString& newName, int depth)
{
    const QString relsPart = opc::relationshipsPart(part);
    if (!m_from.hasPart(relsPart))
        return;
    if (depth > kMaxDepth)
        fail(QStringLiteral("the parts of '%1' refer to each other too deeply").arg(clipped(part)));
    pugi::xml_document doc = xml::parse(m_from.readPart(relsPart), relsPart);
    pugi::xml_node root = doc.document_element();
    std::vector<pugi::xml_node> drop;
    for (pugi::xml_node r : root.children()) {
        if (!xml::is(r, "Relationship"))
            continue;
        if (QString::fromUtf8(r.attribute("TargetMode").value())
                .compare(u"External", Qt::CaseInsensitive) == 0)
            continue;
        const QString kind = opc::kindOf(xml::text(r.attribute("Type")));
        const QString target = opc::resolveTarget(part, xml::text(r.attribute("Target")));
        const bool workbookLevel = kind == u"pivotTable" || kind == u"threadedComment";
        if (target.isEmpty() || !m_from.hasPart(target) || (workbookLevel && !m_samePackage)) {
            drop.push_back(r);
            continue;
        }
        const QString copy = isShareable(kind) && m_samePackage ? target : copyPart(target, depth);
        xml::setAttr(r, "Target", opc::relativeTarget(newName, copy));
    }
    for (pugi::xml_node r : drop)
        root.remove_child(r);
    m_to.putPart(opc::relationshipsPart(newName), xml::serialize(doc),
                 QString::fromUtf8(kRelationshipsType));
}

QByteArray PartCopier::renamedTable(const QByteArray& data, const QString& part)
{
    // Table ids and names are unique in a workbook.
    int maxId = 0;
    std::set<QString> names;
    for (const QString& name : partNames(m_to)) {
        if (m_to.contentTypeOf(name) != QString::fromUtf8(kTableType))
            continue;
        const pugi::xml_document t = xml::parse(m_to.readPart(name), name);
        const pugi::xml_node table = t.document_element();
        maxId = std::max(maxId, xml::intValue(table.attribute("id")).value_or(0));
        names.insert(xml::text(table.attribute("name")).toCaseFolded());
        names.insert(xml::text(table.attribute("displayName")).toCaseFolded());
    }
    pugi::xml_document doc = xml::parse(data, part);
    pugi::xml_node table = doc.document_element();
    QString base = xml::text(table.attribute("displayName"));
    if (base.isEmpty())
        base = QStringLiteral("Table");
    QString name = base;
    for (int n = 2; names.count(name.toCaseFolded()); ++n)
        name = base + u'_' + QString::number(n);
    xml::setAttr(table, "id", maxId + 1);
    xml::setAttr(table, "name", name);
    xml::setAttr(table, "displayName", name);
    return xml::serialize(doc);
}

} // namespace host::xlsx
