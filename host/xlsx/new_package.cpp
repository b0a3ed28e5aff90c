#include "host/xlsx/new_package.h"

#include "host/xlsx/opc.h"
#include "host/xlsx/package_state.h"
#include "host/xlsx/styles_part.h"
#include "host/xlsx/xml_util.h"

namespace host::xlsx {

namespace {

const char kContentTypes[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" "
    "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/xl/workbook.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
    "<Override PartName=\"/xl/styles.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
    "</Types>";

const char kPackageRelationships[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"xl/workbook.xml\"/>"
    "</Relationships>";

const char kWorkbook[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
    "<bookViews><workbookView/></bookViews><sheets/><calcPr calcId=\"191029\"/></workbook>";

const char kWorkbookRelationships[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
    "Target=\"styles.xml\"/>"
    "</Relationships>";

} // namespace

std::shared_ptr<model::PackageState> newPackage(const model::Workbook& book)
{
    auto package = std::make_shared<model::PackageState>();
    const QString xmlType = QStringLiteral("application/xml");
    package->putPart(QString::fromUtf8(opc::kContentTypesPart), QByteArray(kContentTypes), xmlType);
    package->putPart(QStringLiteral("_rels/.rels"), QByteArray(kPackageRelationships),
                     QStringLiteral("application/vnd.openxmlformats-package.relationships+xml"));
    package->putPart(QStringLiteral("xl/workbook.xml"), QByteArray(kWorkbook),
                     QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml."
                                    "sheet.main+xml"));
    package->putPart(QStringLiteral("xl/_rels/workbook.xml.rels"),
                     QByteArray(kWorkbookRelationships),
                     QStringLiteral("application/vnd.openxmlformats-package.relationships+xml"));
    package->putPart(QStringLiteral("xl/styles.xml"),
                     newStylesPart(book.defaultFontName, book.defaultFontSize, false),
                     QString::fromUtf8(kStylesType));
    package->contentTypes.read(
        xml::parse(QByteArray(kContentTypes), QStringLiteral("[Content_Types].xml")));
    package->workbookPart = QStringLiteral("xl/workbook.xml");
    package->stylesPart = QStringLiteral("xl/styles.xml");
    package->stylesFormats = {model::CellFormat{}};
    return package;
}

} // namespace host::xlsx
