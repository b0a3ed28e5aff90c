#pragma once

#include <QByteArray>
#include <QString>

#include <map>
#include <set>
#include <vector>

#include <pugixml.hpp>

#include "host/xlsx/drawing_writer.h"

namespace host::model {
struct PackageState;
struct Sheet;
struct Workbook;
} // namespace host::model

namespace host::xlsx {

// Writes a workbook as a package: the parts the model changed are patched, the others are
// copied as they are (compressed data included), into the new file. Raises a PackageError when
// a part cannot be patched, a HostError when the file cannot be written.
class PackageWriter
{
public:
    PackageWriter(const model::Workbook& book, const model::PackageState& package,
                  QString targetName);
    // Writes the package to `path` (see ZipWriter for how it gets there).
    void write(const QString& path);

private:
    struct PlannedSheet
    {
        const model::Sheet* sheet = nullptr;
        QString part;
        QString relationshipId;   // empty until the sheet is listed in the workbook's relationships
        QString relationshipType; // for a new relationship; empty: a worksheet's
        bool fromPackage = false; // the part exists; otherwise it is written from the model
        bool newRelationship = false;
        int loadedPosition = -1;
    };

    void planSheets();
    void writeSheets();
    void writeWorkbookPart();
    bool writeSheetList(pugi::xml_node root);
    void remapLocalNames(pugi::xml_node root);
    void writeWorkbookRelationships();
    void writeStyles();
    void writeContentTypes();
    void assemble(const QString& path);
    // Pictures of xl/media that no relationship of the package reaches any more (their shapes
    // were deleted or replaced); they are left out of the saved file. Folded names.
    std::set<QString> orphanMedia() const;

    bool isRemoved(const QString& part) const;
    bool anyFormula() const;
    void output(const QString& part, QByteArray data);
    void addNewPart(const QString& part, const QString& contentType);

    const model::Workbook& m_book;
    const model::PackageState& m_package;
    QString m_targetName;

    std::vector<PlannedSheet> m_sheets;
    std::vector<QString> m_deletedRelationships; // of sheets the model no longer has
    pugi::xml_document m_workbook;
    std::set<QString> m_removed;                             // folded part names
    std::map<QString, std::pair<QString, QByteArray>> m_out; // folded → name, new content
    std::vector<std::pair<QString, QString>> m_newParts;     // name, content type
    std::map<QString, QString> m_newDefaults;                // extension → content type
    DrawingSaveState m_drawings;
    QString m_newStylesPart;
    bool m_cellsChanged = false;
    bool m_newFormula = false;
};

} // namespace host::xlsx
