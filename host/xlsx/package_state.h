#pragma once

#include "host/model/workbook.h"
#include "host/xlsx/opc.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <memory>
#include <vector>

namespace host::xlsx {
class ZipArchive;
}

namespace host::model {

// What the .xlsx layer keeps of a workbook's package, so that saving writes back everything
// the model does not hold. The original file stays in memory (compressed) and is never read
// from disk again: saving over the file the workbook came from is therefore safe, and every
// save patches the parts as read with all the changes the model records since loading.
struct PackageState
{
    // The package as read; null for a workbook that `create` made.
    std::shared_ptr<const xlsx::ZipArchive> archive;
    xlsx::opc::ContentTypes contentTypes; // as read

    // Parts added or replaced since loading (copied sheets and what they bring, styles that
    // received copied formats), keyed by case-folded part name.
    struct AddedPart
    {
        QString name;
        QByteArray data;
        QString contentType;
    };
    std::map<QString, AddedPart> added;

    QString workbookPart;      // "xl/workbook.xml"
    QString stylesPart;        // empty when the package has none
    QString sharedStringsPart; // empty when the package has none
    bool strict = false;       // the strict flavour's namespaces
    bool date1904 = false;

    // The shared strings' plain texts, to keep a rewritten cell's reference when its text did
    // not change.
    std::vector<QString> sharedStrings;
    // Cell-format protection as the styles part currently states it: the writer compares the
    // model's formats with these and patches only what differs.
    std::vector<CellFormat> stylesFormats;

    // The workbook window as read.
    int activeTab = 0;
    int firstSheet = 0;
    bool minimized = false;

    bool hasPart(const QString& name) const;
    // The part's content: an added part first, then the archive. Raises a PackageError when
    // there is no such part.
    QByteArray readPart(const QString& name) const;
    QString contentTypeOf(const QString& name) const;
    void putPart(const QString& name, QByteArray data, const QString& contentType);
    // "folder/stemN.ext" with the smallest N ≥ 1 that names no part yet.
    QString freePartName(const QString& folder, const QString& stem, const QString& ext) const;
};

// Where a sheet of the model lives in its package.
struct SheetSource
{
    QString partName;         // "xl/worksheets/sheet1.xml"
    QString relationshipId;   // in the workbook part's relationships; empty for a copied sheet
    QString relationshipType; // of the workbook's relationship to the part (its kind of sheet)
    int loadedPosition = -1;  // index in the sheet list as read; -1 for a copied sheet
    const PackageState* package = nullptr; // the package holding the part
};

} // namespace host::model
