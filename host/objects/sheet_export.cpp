#include "host/objects/sheet_export.h"

#include "host/model/workbook.h"
#include "host/objects/range.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"
#include "host/render/sheet_render.h"

#include <QImageWriter>
#include <QSaveFile>

#include <cmath>

namespace host::objects {

namespace {

// Written beside the target, then renamed into place.
bool writePng(const QImage& image, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, "png");
    return writer.write(image) && file.commit();
}

Variant exportPicture(Worksheet& sheet, const BoundArgs& args)
{
    if (!sheet.hasCells())
        raise(err::NotSupported);
    const QString path = args.at(0).toString();
    const double scale = args.value(2, 1.0).toDouble();
    if (!std::isfinite(scale) || scale <= 0 || scale > 16)
        raise(err::InvalidCall);
    const model::Workbook& book = sheet.book().model();
    const model::Sheet& cells = sheet.sheet();
    model::CellRect area = render::usedArea(book, cells);
    if (args.has(1)) {
        const auto range = std::dynamic_pointer_cast<Range>(args.at(1).toObject());
        if (!range || &range->worksheet() != &sheet)
            raise(err::InvalidCall);
        if (range->areas().size() != 1)
            raise(err::ApplicationDefined,
                  QStringLiteral("ExportPicture takes one block of cells"));
        area = range->areas().front();
    }
    render::RangeLook look;
    look.gridLines = args.value(3, false).toBool();
    const QString block = model::formatA1(area, false);
    const QImage image = render::renderRange(book, cells, area, 4.0 / 3.0 * scale, look);
    if (image.isNull())
        raise(
            err::ApplicationDefined,
            QStringLiteral("%1 is empty or too large to render at scale %2").arg(block).arg(scale));
    if (!writePng(image, path))
        raise(75, QStringLiteral("Path/File access error"));
    return Variant(block);
}

} // namespace

void addExportMembers(MemberTable<Worksheet>& table)
{
    table.member(QStringLiteral("ExportPicture"),
                 {QStringLiteral("Filename"), QStringLiteral("Range"), QStringLiteral("Scale"),
                  QStringLiteral("GridLines")},
                 1, exportPicture);
}

} // namespace host::objects
