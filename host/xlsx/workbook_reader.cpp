#include "host/xlsx/workbook_reader.h"

#include "host/automation/host_error.h"
#include "host/model/workbook.h"
#include "host/xlsx/drawing_reader.h"
#include "host/xlsx/opc.h"
#include "host/xlsx/package_state.h"
#include "host/xlsx/sheet_reader.h"
#include "host/xlsx/styles_part.h"
#include "host/xlsx/theme_part.h"
#include "host/xlsx/xml_util.h"
#include "host/xlsx/zip_archive.h"

namespace host::xlsx {

using model::PackageState;
using model::Sheet;
using model::SheetKind;
using model::Workbook;

namespace {

pugi::xml_document readXml(const PackageState& package, const QString& part)
{
    return xml::parse(package.readPart(part), part);
}

std::vector<opc::Relationship> readRelationships(const PackageState& package, const QString& part)
{
    const QString relsPart = opc::relationshipsPart(part);
    if (!package.hasPart(relsPart))
        return {};
    return opc::parseRelationships(readXml(package, relsPart));
}

bool isStrict(pugi::xml_node root)
{
    const std::string p = xml::prefix(root);
    const std::string decl =
        p.empty() ? std::string("xmlns") : "xmlns:" + p.substr(0, p.size() - 1);
    return std::string_view(root.attribute(decl.c_str()).value()) == opc::kStrictMainNs;
}

std::optional<SheetKind> kindFromRelationship(const QString& kind)
{
    if (kind == u"worksheet")
        return SheetKind::Worksheet;
    if (kind == u"chartsheet")
        return SheetKind::Chartsheet;
    if (kind == u"dialogsheet")
        return SheetKind::Dialogsheet;
    if (kind == u"xlMacrosheet" || kind == u"xlIntlMacrosheet")
        return SheetKind::Macrosheet;
    return std::nullopt;
}

std::optional<SheetKind> kindFromRoot(pugi::xml_node root)
{
    if (xml::is(root, "worksheet"))
        return SheetKind::Worksheet;
    if (xml::is(root, "chartsheet"))
        return SheetKind::Chartsheet;
    if (xml::is(root, "dialogsheet"))
        return SheetKind::Dialogsheet;
    if (xml::is(root, "macrosheet"))
        return SheetKind::Macrosheet;
    return std::nullopt;
}

QString findWorkbookPart(const PackageState& package)
{
    const std::vector<opc::Relationship> rels = readRelationships(package, QString());
    if (const opc::Relationship* r = opc::findByType(rels, "officeDocument")) {
        const QString part = opc::resolveTarget(QString(), r->target);
        if (!part.isEmpty() && package.hasPart(part))
            return part;
    }
    if (package.hasPart(QStringLiteral("xl/workbook.xml")))
        return QStringLiteral("xl/workbook.xml");
    fail(QStringLiteral("the package has no workbook part"));
}

void readSharedStrings(PackageState& package)
{
    if (package.sharedStringsPart.isEmpty())
        return;
    const pugi::xml_document doc = readXml(package, package.sharedStringsPart);
    // The count attributes are claims; only the items present are read.
    for (pugi::xml_node si : doc.document_element().children()) {
        if (xml::is(si, "si"))
            package.sharedStrings.push_back(richText(si));
    }
}

void readSheet(const PackageState& package, const Workbook& book, const QString& part, Sheet& sheet)
{
    const pugi::xml_document doc = readXml(package, part);
    const pugi::xml_node root = doc.document_element();
    const std::optional<SheetKind> rootKind = kindFromRoot(root);
    if (!rootKind)
        fail(QStringLiteral("the part '%1' of sheet '%2' is not a sheet")
                 .arg(clipped(part), clipped(sheet.name)));
    sheet.kind = *rootKind;
    if (sheet.kind == SheetKind::Chartsheet) {
        readChartsheet(root, sheet);
    } else {
        const SheetReadContext context{&package.sharedStrings, package.date1904};
        readWorksheet(root, sheet, context);
    }
    readSheetDrawing(package, book, part, root, sheet);
}

void readBookView(pugi::xml_node workbook, Workbook& book, PackageState& package)
{
    const pugi::xml_node views = xml::child(workbook, "bookViews");
    const pugi::xml_node view = views ? xml::child(views, "workbookView") : views;
    if (!view)
        return;
    package.activeTab = std::max(0, xml::intValue(view.attribute("activeTab")).value_or(0));
    package.firstSheet = std::max(0, xml::intValue(view.attribute("firstSheet")).value_or(0));
    package.minimized = std::string_view(view.attribute("visibility").value()) == "minimized";
    const int last = std::max(0, int(book.sheets.size()) - 1);
    book.activeSheet = std::min(package.activeTab, last);
    book.firstVisibleTab = std::min(package.firstSheet, last);
    book.windowMinimized = package.minimized;
}

} // namespace

std::unique_ptr<Workbook> readWorkbook(std::shared_ptr<const ZipArchive> archive)
{
    auto package = std::make_shared<PackageState>();
    package->archive = std::move(archive);
    if (!package->hasPart(QString::fromUtf8(opc::kContentTypesPart)))
        fail(QStringLiteral("it is not an .xlsx package (it has no [Content_Types].xml)"));
    package->contentTypes.read(readXml(*package, QString::fromUtf8(opc::kContentTypesPart)));

    package->workbookPart = findWorkbookPart(*package);
    const pugi::xml_document doc = readXml(*package, package->workbookPart);
    const pugi::xml_node root = doc.document_element();
    if (!xml::is(root, "workbook"))
        fail(QStringLiteral("its main part holds a '%1', not a workbook")
                 .arg(clipped(QString::fromUtf8(root.name()))));
    package->strict = isStrict(root);
    package->date1904 = xml::boolValue(xml::child(root, "workbookPr").attribute("date1904"), false);

    auto book = std::make_unique<Workbook>();
    const auto rels = readRelationships(*package, package->workbookPart);
    if (const opc::Relationship* r = opc::findByType(rels, "styles")) {
        const QString part = opc::resolveTarget(package->workbookPart, r->target);
        if (package->hasPart(part)) {
            package->stylesPart = part;
            const pugi::xml_document styles = readXml(*package, part);
            readStyles(styles.document_element(), *book);
        }
    }
    package->stylesFormats = book->cellFormats;
    if (const opc::Relationship* r = opc::findByType(rels, "theme")) {
        const QString part = opc::resolveTarget(package->workbookPart, r->target);
        if (package->hasPart(part))
            if (const auto colors = readThemeColors(readXml(*package, part).document_element()))
                book->themeColors = *colors;
    }
    book->date1904 = package->date1904;
    if (const opc::Relationship* r = opc::findByType(rels, "sharedStrings")) {
        const QString part = opc::resolveTarget(package->workbookPart, r->target);
        if (package->hasPart(part))
            package->sharedStringsPart = part;
    }
    readSharedStrings(*package);

    int position = 0;
    for (pugi::xml_node s : xml::child(root, "sheets").children()) {
        if (!xml::is(s, "sheet"))
            continue;
        auto sheet = std::make_unique<Sheet>();
        sheet->name = xml::text(s.attribute("name"));
        const std::string_view state = s.attribute("state").value();
        sheet->visibility = state == "hidden" ? 0 : state == "veryHidden" ? 2 : -1;
        const QString id = xml::text(xml::prefixedAttr(s, "id"));
        const opc::Relationship* rel = opc::findById(rels, id);
        const QString part = rel && !rel->external
                                 ? opc::resolveTarget(package->workbookPart, rel->target)
                                 : QString();
        if (part.isEmpty() || !package->hasPart(part))
            fail(QStringLiteral("the part of sheet '%1' is missing").arg(clipped(sheet->name)));
        if (const auto kind = kindFromRelationship(opc::kindOf(rel->type)))
            sheet->kind = *kind;
        readSheet(*package, *book, part, *sheet);
        sheet->source = std::make_shared<model::SheetSource>(
            model::SheetSource{part, id, rel->type, position, package.get()});
        book->sheets.push_back(std::move(sheet));
        ++position;
    }
    if (book->sheets.empty())
        fail(QStringLiteral("the workbook has no sheets"));
    readBookView(root, *book, *package);
    book->package = std::move(package);
    return book;
}

} // namespace host::xlsx
