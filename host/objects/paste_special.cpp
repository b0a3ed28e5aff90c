#include "host/objects/paste_special.h"

#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/range.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"
#include "host/render/clipboard.h"
#include "host/render/copy_paste.h"

#include <algorithm>

namespace host::objects {

namespace {

[[noreturn]] void pasteFailed()
{
    raise(err::ApplicationDefined, QStringLiteral("PasteSpecial method of Worksheet class failed"));
}

} // namespace

void copyRangeToClipboard(Range& range, const BoundArgs& args)
{
    if (args.has(0))
        raise(err::ApplicationDefined, QStringLiteral("Copy method of Range class failed"));
    if (range.areas().size() != 1)
        raise(err::ApplicationDefined,
              QStringLiteral("This action won't work on multiple selections."));
    Worksheet& sheet = range.worksheet();
    Workbook& book = sheet.book();
    const render::ClipContent content =
        render::copyOfRange(book.model(), sheet.sheet(), range.areas().front());
    Application& app = book.app();
    app.clipboard().put(content);
    app.setCutCopyMode(1);
}

QStringList pasteSpecialParameters()
{
    return {QStringLiteral("Format"),          QStringLiteral("Link"),
            QStringLiteral("DisplayAsIcon"),   QStringLiteral("IconFileName"),
            QStringLiteral("IconIndex"),       QStringLiteral("IconLabel"),
            QStringLiteral("NoHTMLFormatting")};
}

Variant pasteSpecial(Worksheet& sheet, const BoundArgs& args)
{
    if (!sheet.hasCells() || !sheet.isActive())
        pasteFailed();
    if (args.value(1, false).toBool() || args.value(2, false).toBool())
        pasteFailed();
    render::PasteFormat format = render::PasteFormat::Png;
    if (args.has(0)) {
        const auto named = render::pasteFormatNamed(args.at(0).toString());
        if (!named)
            pasteFailed();
        format = *named;
    }
    model::Sheet& s = sheet.sheet();
    if (s.protection.sheet && s.protection.objects)
        pasteFailed();
    Application& app = sheet.book().app();
    const auto content = app.clipboard().pasteSource();
    if (!content)
        pasteFailed();

    model::Shape shape = render::pastedPicture(*content, format);
    const auto cell = model::parseA1(s.view.activeCell);
    const model::CellRect at = cell ? *cell : model::CellRect{};
    const model::SheetGeometry geometry = sheet.geometry();
    shape.left = geometry.left(at);
    shape.top = geometry.top(at);
    model::Drawing& drawing = s.drawing;
    shape.id = drawing.takeId();
    shape.name = QStringLiteral("\u56F3 ") + QString::number(shape.id);
    const int id = shape.id;
    // On top of the other shapes; cell comments stay at the end of the list.
    const auto firstComment =
        std::find_if(drawing.shapes.begin(), drawing.shapes.end(),
                     [](const model::Shape& x) { return x.kind == model::ShapeKind::Comment; });
    drawing.shapes.insert(firstComment, std::move(shape));
    drawing.selection = {id};
    drawing.dirty = true;
    sheet.markChanged(ChangeKind::Shapes);
    sheet.selectionChanged();
    return {};
}

} // namespace host::objects
