#pragma once

#include <QByteArray>
#include <QString>

#include <map>
#include <vector>

namespace pugi {
class xml_document;
}

// The package conventions: part names, relationships and content types.
namespace host::xlsx::opc {

struct Relationship
{
    QString id;
    QString type;
    QString target; // as written
    bool external = false;
};

std::vector<Relationship> parseRelationships(const pugi::xml_document& doc);
const Relationship* findById(const std::vector<Relationship>& rels, const QString& id);
const Relationship* findByType(const std::vector<Relationship>& rels, const char* kind);

// "xl/workbook.xml" → "xl/_rels/workbook.xml.rels"; "" (the package) → "_rels/.rels".
QString relationshipsPart(const QString& part);
// The part a relative or absolute target names, seen from `sourcePart`; "" when the target
// leaves the package.
QString resolveTarget(const QString& sourcePart, const QString& target);
// The target to write in `fromPart`'s relationships to reach `toPart`.
QString relativeTarget(const QString& fromPart, const QString& toPart);
QString folderOf(const QString& part); // "xl/worksheets/sheet1.xml" → "xl/worksheets"

// The last segment of a relationship type ("…/relationships/worksheet" → "worksheet"), which
// is what transitional and strict packages share.
QString kindOf(const QString& relationshipType);
QString relationshipType(bool strict, const char* kind);

inline constexpr const char* kRelationshipsNs =
    "http://schemas.openxmlformats.org/package/2006/relationships";
inline constexpr const char* kTransitionalRelNs =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr const char* kStrictRelNs =
    "http://purl.oclc.org/ooxml/officeDocument/relationships";
inline constexpr const char* kTransitionalMainNs =
    "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
inline constexpr const char* kStrictMainNs = "http://purl.oclc.org/ooxml/spreadsheetml/main";

// [Content_Types].xml as read.
class ContentTypes
{
public:
    void read(const pugi::xml_document& doc);
    QString typeOf(const QString& part) const; // "" when neither an override nor a default fits
    bool hasDefault(const QString& extension) const;
    QString defaultFor(const QString& extension) const;

private:
    std::map<QString, QString> m_defaults;  // extension, folded → type
    std::map<QString, QString> m_overrides; // part name without '/', folded → type
};

inline constexpr const char* kContentTypesPart = "[Content_Types].xml";

} // namespace host::xlsx::opc
