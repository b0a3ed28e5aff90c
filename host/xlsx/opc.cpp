#include "host/xlsx/opc.h"

#include "host/xlsx/xml_util.h"

#include <QStringList>
#include <QUrl>

namespace host::xlsx::opc {

std::vector<Relationship> parseRelationships(const pugi::xml_document& doc)
{
    std::vector<Relationship> out;
    for (pugi::xml_node n : doc.document_element().children()) {
        if (!xml::is(n, "Relationship"))
            continue;
        Relationship r;
        r.id = xml::text(n.attribute("Id"));
        r.type = xml::text(n.attribute("Type"));
        r.target = xml::text(n.attribute("Target"));
        r.external = QString::fromUtf8(n.attribute("TargetMode").value())
                         .compare(u"External", Qt::CaseInsensitive) == 0;
        out.push_back(std::move(r));
    }
    return out;
}

const Relationship* findById(const std::vector<Relationship>& rels, const QString& id)
{
    for (const Relationship& r : rels) {
        if (r.id == id)
            return &r;
    }
    return nullptr;
}

const Relationship* findByType(const std::vector<Relationship>& rels, const char* kind)
{
    const QString wanted = QString::fromUtf8(kind);
    for (const Relationship& r : rels) {
        if (!r.external && kindOf(r.type) == wanted)
            return &r;
    }
    return nullptr;
}

QString folderOf(const QString& part)
{
    const qsizetype slash = part.lastIndexOf(u'/');
    return slash < 0 ? QString() : part.left(slash);
}

QString relationshipsPart(const QString& part)
{
    if (part.isEmpty())
        return QStringLiteral("_rels/.rels");
    const QString folder = folderOf(part);
    const QString name = part.mid(folder.isEmpty() ? 0 : folder.size() + 1);
    return (folder.isEmpty() ? QString() : folder + u'/') + QStringLiteral("_rels/") + name +
           QStringLiteral(".rels");
}

QString resolveTarget(const QString& sourcePart, const QString& target)
{
    QString t = QUrl::fromPercentEncoding(target.toUtf8());
    const qsizetype hash = t.indexOf(u'#');
    if (hash >= 0)
        t.truncate(hash);
    QStringList parts;
    if (!t.startsWith(u'/')) {
        const QString folder = folderOf(sourcePart);
        if (!folder.isEmpty())
            parts = folder.split(u'/');
    }
    for (const QString& segment : t.split(u'/', Qt::SkipEmptyParts)) {
        if (segment == u".")
            continue;
        if (segment == u"..") {
            if (parts.isEmpty())
                return QString(); // above the package root
            parts.removeLast();
            continue;
        }
        parts.append(segment);
    }
    return parts.join(u'/');
}

QString relativeTarget(const QString& fromPart, const QString& toPart)
{
    const QStringList from = folderOf(fromPart).split(u'/', Qt::SkipEmptyParts);
    const QStringList to = toPart.split(u'/', Qt::SkipEmptyParts);
    qsizetype common = 0;
    while (common < from.size() && common < to.size() - 1 && from[common] == to[common])
        ++common;
    QStringList out;
    for (qsizetype i = common; i < from.size(); ++i)
        out.append(QStringLiteral(".."));
    for (qsizetype i = common; i < to.size(); ++i)
        out.append(to[i]);
    return out.join(u'/');
}

QString kindOf(const QString& relationshipType)
{
    return relationshipType.mid(relationshipType.lastIndexOf(u'/') + 1);
}

QString relationshipType(bool strict, const char* kind)
{
    return QString::fromUtf8(strict ? kStrictRelNs : kTransitionalRelNs) + u'/' +
           QString::fromUtf8(kind);
}

void ContentTypes::read(const pugi::xml_document& doc)
{
    for (pugi::xml_node n : doc.document_element().children()) {
        if (xml::is(n, "Default"))
            m_defaults[xml::text(n.attribute("Extension")).toCaseFolded()] =
                xml::text(n.attribute("ContentType"));
        else if (xml::is(n, "Override")) {
            QString name = xml::text(n.attribute("PartName"));
            if (name.startsWith(u'/'))
                name.remove(0, 1);
            m_overrides[QUrl::fromPercentEncoding(name.toUtf8()).toCaseFolded()] =
                xml::text(n.attribute("ContentType"));
        }
    }
}

QString ContentTypes::typeOf(const QString& part) const
{
    const auto o = m_overrides.find(part.toCaseFolded());
    if (o != m_overrides.end())
        return o->second;
    const qsizetype dot = part.lastIndexOf(u'.');
    if (dot < 0 || dot < part.lastIndexOf(u'/'))
        return QString();
    return defaultFor(part.mid(dot + 1));
}

bool ContentTypes::hasDefault(const QString& extension) const
{
    return m_defaults.count(extension.toCaseFolded()) != 0;
}

QString ContentTypes::defaultFor(const QString& extension) const
{
    const auto d = m_defaults.find(extension.toCaseFolded());
    return d == m_defaults.end() ? QString() : d->second;
}

} // namespace host::xlsx::opc
