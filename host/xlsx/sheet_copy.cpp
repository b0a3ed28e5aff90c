// Worksheet.Copy: a sheet copied within its workbook or into another one.

#include "host/xlsx/xlsx_io.h"

#include "host/automation/host_error.h"
#include "host/model/workbook.h"
#include "host/xlsx/drawing_reader.h"
#include "host/xlsx/drawing_source.h"
#include "host/xlsx/new_package.h"
#include "host/xlsx/opc.h"
#include "host/xlsx/package_state.h"
#include "host/xlsx/part_copier.h"
#include "host/xlsx/style_import.h"
#include "host/xlsx/xml_util.h"

namespace host::xlsx {

namespace {

using model::Sheet;

// Across workbooks, shared strings of the source are not in the target: each such cell gets
// its rich text inline.
void inlineSharedStrings(pugi::xml_node sheet, const model::PackageState& from)
{
    std::vector<pugi::xml_node> items;
    pugi::xml_document strings;
    bool loaded = false;
    const std::string prefix = xml::prefix(sheet);
    xml::forEachElement(sheet, [&](pugi::xml_node c) {
        if (!xml::is(c, "c") || std::string_view(c.attribute("t").value()) != "s")
            return;
        if (!loaded) {
            loaded = true;
            if (!from.sharedStringsPart.isEmpty()) {
                strings = xml::parse(from.readPart(from.sharedStringsPart), from.sharedStringsPart);
                for (pugi::xml_node si : strings.document_element().children()) {
                    if (xml::is(si, "si"))
                        items.push_back(si);
                }
            }
        }
        const pugi::xml_node v = xml::child(c, "v");
        bool ok = false;
        const long long i = xml::text(v).trimmed().toLongLong(&ok);
        c.remove_child(v);
        xml::setAttr(c, "t", "inlineStr");
        const std::string name = prefix + "is";
        pugi::xml_node f = xml::child(c, "f");
        pugi::xml_node is =
            f ? c.insert_child_after(name.c_str(), f) : c.prepend_child(name.c_str());
        if (ok && i >= 0 && size_t(i) < items.size()) {
            for (pugi::xml_node part : items[size_t(i)].children())
                xml::adoptPrefix(is.append_copy(part), prefix);
        } else {
            xml::appendChild(is, "t");
        }
    });
}

// Across workbooks, format indices are the source's: map them into the target's styles.
void remapModelFormats(Sheet& copy, StyleImporter& styles)
{
    for (auto& [key, cell] : copy.cells)
        cell.style = styles.cellFormat(cell.style);
    for (auto& [row, info] : copy.rows) {
        if (info.style)
            info.style = styles.cellFormat(*info.style);
    }
    for (model::ColumnSpan& span : copy.columns)
        span.style = styles.cellFormat(span.style);
}

void remapPartFormats(pugi::xml_node sheet, StyleImporter& styles)
{
    auto remap = [&](pugi::xml_node n, const char* attribute, bool differential) {
        pugi::xml_attribute a = n.attribute(attribute);
        if (const auto index = xml::intValue(a))
            a.set_value(differential ? styles.differentialFormat(*index)
                                     : styles.cellFormat(*index));
    };
    xml::forEachElement(sheet, [&](pugi::xml_node n) {
        if (xml::is(n, "c") || xml::is(n, "row"))
            remap(n, "s", false);
        else if (xml::is(n, "col"))
            remap(n, "style", false);
        else if (xml::is(n, "cfRule"))
            remap(n, "dxfId", true);
    });
}

// The copy's shapes point at the copy's drawing part, whose relationships keep their ids, so
// that unchanged shapes are still written as they were read. Without a copied part, every
// shape is new to the package and written from the model.
void rebindDrawing(model::Drawing& drawing, const model::PackageState* package,
                   const QString& drawingPart)
{
    auto visit = [&](auto& self, std::vector<model::Shape>& shapes) -> void {
        for (model::Shape& s : shapes) {
            if (s.kind == model::ShapeKind::Comment)
                continue;
            const bool kept = s.source && !drawingPart.isEmpty() &&
                              s.source->origin == model::DrawingSource::Origin::Drawing;
            if (kept)
                s.source = s.source->rebound(package, drawingPart);
            else
                s.dirty = true;
            self(self, s.members);
        }
    };
    visit(visit, drawing.shapes);
    if (drawingPart.isEmpty() && !drawing.shapes.empty())
        drawing.dirty = true;
    drawing.selection.clear();
}

} // namespace

void copySheet(const model::Workbook& from, int index, model::Workbook& to, int insertAt,
               const QString& newName)
{
    if (index < 0 || size_t(index) >= from.sheets.size())
        host::raise(err::OutOfRange);
    if (insertAt < 0 || size_t(insertAt) > to.sheets.size())
        host::raise(err::OutOfRange);
    for (const auto& s : to.sheets) {
        if (s->name.compare(newName, Qt::CaseInsensitive) == 0)
            host::raise(err::ApplicationDefined,
                        QStringLiteral("Cannot copy the sheet: the name '%1' is already taken.")
                            .arg(newName));
    }
    const Sheet& original = *from.sheets[size_t(index)];
    auto copy = std::make_unique<Sheet>(original);
    copy->name = newName;
    copy->view.tabSelected = false;
    copy->viewDirty = true; // the copied view must not keep the original's tab selection
    copy->source.reset();

    try {
        if (!to.package)
            to.package = newPackage(to);
        model::PackageState& target = *to.package;
        const model::PackageState* source = from.package.get();
        const model::SheetSource* where = original.source.get();
        const bool samePackage = source == &target;
        std::unique_ptr<StyleImporter> styles;
        if (!samePackage)
            styles = std::make_unique<StyleImporter>(from, to);

        if (where && source && where->package == source && source->hasPart(where->partName)) {
            pugi::xml_document doc = xml::parse(source->readPart(where->partName), where->partName);
            if (!samePackage) {
                inlineSharedStrings(doc.document_element(), *source);
                remapPartFormats(doc.document_element(), *styles);
            }
            QString folder = opc::folderOf(where->partName);
            if (folder.isEmpty())
                folder = QStringLiteral("xl/worksheets");
            const QString part =
                target.freePartName(folder, QStringLiteral("sheet"), QStringLiteral("xml"));
            PartCopier(*source, target).copyAs(where->partName, part, xml::serialize(doc));
            copy->source = std::make_shared<model::SheetSource>(
                model::SheetSource{part, QString(), where->relationshipType, -1, &target});
            rebindDrawing(copy->drawing, &target,
                          linkedPart(target, part, doc.document_element(), "drawing"));
        } else {
            rebindDrawing(copy->drawing, &target, QString());
        }
        if (styles) {
            remapModelFormats(*copy, *styles);
            styles->finish();
        }
    } catch (const PackageError& e) {
        host::raise(err::ApplicationDefined,
                    QStringLiteral("Cannot copy the sheet '%1': %2.").arg(original.name, e.why));
    }
    to.sheets.insert(to.sheets.begin() + insertAt, std::move(copy));
    if (to.activeSheet >= insertAt && to.sheets.size() > 1)
        ++to.activeSheet;
    to.sheetListDirty = true;
}

} // namespace host::xlsx
