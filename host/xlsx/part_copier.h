#pragma once

#include <QString>

#include <map>

namespace host::model {
struct PackageState;
}

namespace host::xlsx {

// Copies a part with everything its relationships reach into a package (the same one or
// another). Parts that belong to their owner (drawings, comments, VML, printer settings,
// charts, tables, …) are duplicated under new names; media are shared within one package and
// copied once into another. Relationship ids stay as they are, so the copied XML still refers
// to the right relationships. Parts that only make sense with workbook-level parts that are
// not copied (pivot tables and threaded comments across packages) are left out.
class PartCopier
{
public:
    PartCopier(const model::PackageState& from, model::PackageState& to);

    // Copies `part` (and what it refers to) under `newName`, storing `data` as its content.
    void copyAs(const QString& part, const QString& newName, const QByteArray& data);

private:
    QString copyPart(const QString& part, int depth);
    void copyRelationships(const QString& part, const QString& newName, int depth);
    QByteArray renamedTable(const QByteArray& data, const QString& part);

    const model::PackageState& m_from;
    model::PackageState& m_to;
    bool m_samePackage;
    std::map<QString, QString> m_copied; // folded source part → its copy
};

} // namespace host::xlsx
