#include "host_app/commands/clipboard_commands.h"

#include "host/automation/host_error.h"
#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/range.h"
#include "host/objects/shape_geometry.h"
#include "host/objects/shape_members.h"
#include "host/objects/shape_site.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"
#include "host/render/clipboard.h"
#include "host/xlsx/formula_shift.h"
#include "host_app/commands/edit_commands.h"
#include "host_app/commands/selection_commands.h"
#include "host_app/edit_history.h"
#include "platform/clipboard.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <optional>

namespace host_app::commands {

using host::model::Cell;
using host::model::CellRect;

namespace {

// The cells this program copied last: what a paste here brings when the clipboard still
// holds that copy.
struct CellCopy
{
    std::weak_ptr<host::objects::Worksheet> from; // its styles are its workbook's
    CellRect area;
    QString text; // what the copy put on the clipboard as text
    std::map<host::model::CellKey, Cell> cells;
};

std::optional<CellCopy>& lastCellCopy()
{
    static std::optional<CellCopy> copy;
    return copy;
}

// The shapes this program copied last, as they were: a paste here while the clipboard still
// holds that copy brings the shapes themselves (their size, crops and text), not a picture
// of them.
struct ShapesCopy
{
    const QMimeData* held = nullptr; // what the desktop clipboard held after the copy
    std::vector<host::model::Shape> shapes;
    QPointF topLeft; // of their joint box, points
};

std::optional<ShapesCopy>& lastShapesCopy()
{
    static std::optional<ShapesCopy> copy;
    return copy;
}

void pasteShapes(host::objects::Worksheet& sheet, const ShapesCopy& copy, const CellRect& at)
{
    host::objects::checkMethodAllowed(sheet, QStringLiteral("Paste"), QStringLiteral("Worksheet"));
    const host::model::SheetGeometry geometry = sheet.geometry();
    const QPointF to(geometry.left(at), geometry.top(at));
    std::vector<int> ids;
    for (host::model::Shape shape : copy.shapes) {
        host::objects::moveShape(shape, to.x() + shape.left - copy.topLeft.x(),
                                 to.y() + shape.top - copy.topLeft.y());
        shape.dirty = true;
        ids.push_back(host::objects::addShapeOnTop(sheet, std::move(shape)));
    }
    selectShapes(sheet, ids, true);
}

const QStringList& pictureTypes()
{
    static const QStringList types{QStringLiteral("image/png"), QStringLiteral("image/jpeg"),
                                   QStringLiteral("image/bmp")};
    return types;
}

QString suffixOf(const QString& type)
{
    return type.mid(type.indexOf(u'/') + 1).replace(QStringLiteral("jpeg"), QStringLiteral("jpg"));
}

bool ownCopy(const QMimeData* data)
{
    return data->hasFormat(platform::clip_mime::kHostCopy);
}

// A picture file another program offers: its type and bytes.
std::optional<std::pair<QString, QByteArray>> pictureFile(const QMimeData* data)
{
    if (ownCopy(data))
        return std::nullopt;
    for (const QString& type : pictureTypes())
        if (data->hasFormat(type)) {
            QByteArray bytes = data->data(type);
            if (!bytes.isEmpty())
                return std::pair{type, std::move(bytes)};
        }
    return std::nullopt;
}

std::shared_ptr<host::objects::Range> cellsOf(host::objects::Worksheet& sheet, const CellRect& r)
{
    return std::static_pointer_cast<host::objects::Range>(
        sheet.range({r}, host::objects::RangeKind::Cells));
}

void pasteCells(host::objects::Worksheet& sheet, const CellCopy& copy, const CellRect& at)
{
    const auto from = copy.from.lock();
    const bool sameBook = from && from->attached() && &from->book() == &sheet.book();
    const int rows = copy.area.bottom - copy.area.top;
    const int columns = copy.area.right - copy.area.left;
    const CellRect target{at.top, at.left, std::min(at.top + rows, host::model::kMaxRows),
                          std::min(at.left + columns, host::model::kMaxColumns)};
    for (int r = target.top; r <= target.bottom; ++r)
        for (int c = target.left; c <= target.right; ++c)
            if (!cellChangeable(sheet, CellRect{r, c, r, c}))
                host::raise(host::err::ApplicationDefined, protectedCellMessage());
    const int dr = target.top - copy.area.top;
    const int dc = target.left - copy.area.left;
    host::model::Sheet& s = sheet.sheet();
    std::vector<std::pair<CellRect, QString>> formulas;
    for (int r = target.top; r <= target.bottom; ++r)
        for (int c = target.left; c <= target.right; ++c) {
            const auto found = copy.cells.find({r - dr, c - dc});
            if (found == copy.cells.end()) {
                if (s.cell(r, c))
                    s.clearCell(r, c);
                continue;
            }
            Cell cell = found->second;
            if (!sameBook)
                cell.style = 0; // the other book's formats mean nothing here
            if (!cell.formula.isEmpty()) {
                formulas.emplace_back(CellRect{r, c, r, c},
                                      host::xlsx::shiftFormula(cell.formula, dr, dc));
                cell.formula.clear();
            }
            s.editCell(r, c) = cell;
        }
    sheet.markChanged();
    // Formulas take their values as the host computes them where they land.
    for (const auto& [cell, formula] : formulas)
        cellsOf(sheet, cell)->let(QStringLiteral("Formula"), host::Variant(u'=' + formula));
    selectCells(sheet, {target}, CellRect{target.top, target.left, target.top, target.left});
}

void pasteText(host::objects::Worksheet& sheet, const QString& text, const CellRect& at)
{
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    int widest = 0;
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].endsWith(u'\r'))
            lines[i].chop(1);
        widest = std::max(widest, int(lines[i].split(u'\t').size()));
    }
    const CellRect target{at.top, at.left,
                          std::min(at.top + int(lines.size()) - 1, host::model::kMaxRows),
                          std::min(at.left + widest - 1, host::model::kMaxColumns)};
    for (int r = target.top; r <= target.bottom; ++r)
        for (int c = target.left; c <= target.right; ++c)
            if (!cellChangeable(sheet, CellRect{r, c, r, c}))
                host::raise(host::err::ApplicationDefined, protectedCellMessage());
    for (int i = 0; i < lines.size() && at.top + i <= host::model::kMaxRows; ++i) {
        const QStringList fields = lines[i].split(u'\t');
        for (int j = 0; j < fields.size() && at.left + j <= host::model::kMaxColumns; ++j) {
            const int r = at.top + i;
            const int c = at.left + j;
            cellsOf(sheet, CellRect{r, c, r, c})->setValue(host::Variant(fields[j]));
        }
    }
    selectCells(sheet, {target}, CellRect{target.top, target.left, target.top, target.left});
}

void insertPictureFile(host::objects::Worksheet& sheet, const QString& type,
                       const QByteArray& bytes)
{
    // The picture is inserted as a file is, so its bytes stay as they came; the files stay
    // while the program runs, as a picture may be read again when it is saved.
    static QTemporaryDir dir;
    static int number = 0;
    const QString path =
        dir.filePath(QStringLiteral("pasted-%1.%2").arg(++number).arg(suffixOf(type)));
    QFile file(path);
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        host::raise(host::err::ApplicationDefined, ClipboardTexts::tr("貼り付けできません。"));
    file.close();
    sheet.get(QStringLiteral("Pictures")).toObject()->call(QStringLiteral("Insert"), {path});
}

} // namespace

void copySelection(host::objects::Worksheet& sheet)
{
    const host::model::Sheet& s = sheet.sheet();
    if (!s.drawing.selection.empty()) {
        host::objects::shapeRangeOf(host::objects::ShapeSet{sheet.self(), s.drawing.selection})
            ->call(QStringLiteral("Copy"));
        lastCellCopy().reset();
        ShapesCopy copy;
        copy.held = QGuiApplication::clipboard()->mimeData();
        QRectF bounds;
        for (int id : s.drawing.selection)
            if (const host::model::Shape* shape = s.drawing.find(id);
                shape && shape->kind != host::model::ShapeKind::Comment) {
                copy.shapes.push_back(*shape);
                bounds =
                    bounds.united(QRectF(shape->left, shape->top, shape->width, shape->height));
            }
        copy.topLeft = bounds.topLeft();
        if (!copy.shapes.empty())
            lastShapesCopy() = std::move(copy);
        else
            lastShapesCopy().reset();
        return;
    }
    if (s.view.selection.size() != 1)
        host::raise(host::err::ApplicationDefined,
                    ClipboardTexts::tr("この操作は複数の選択範囲に対して実行できません。"));
    const CellRect area = s.view.selection.front();
    cellsOf(sheet, area)->call(QStringLiteral("Copy"));
    lastShapesCopy().reset();
    CellCopy copy;
    copy.from = sheet.self();
    copy.area = area;
    const auto content = sheet.book().app().clipboard().content();
    copy.text = content ? content->text : QString();
    // Only the cells that exist: a whole column copies what it holds, not a million blanks.
    for (auto it = s.cells.lower_bound({area.top, 0});
         it != s.cells.end() && it->first.first <= area.bottom; ++it)
        if (it->first.second >= area.left && it->first.second <= area.right)
            copy.cells.emplace(it->first, it->second);
    lastCellCopy() = std::move(copy);
}

bool canPaste(const QMimeData* data)
{
    return data && (data->hasImage() || data->hasText() || pictureFile(data) ||
                    data->hasFormat(platform::clip_mime::kHostCopy));
}

bool paste(EditHistory& history, host::objects::Worksheet& sheet, const QMimeData* data)
{
    if (!canPaste(data))
        return false;
    const CellRect at = activeCell(sheet.sheet());
    const auto content = host::render::clipContentOf(*data);
    const std::optional<CellCopy>& copy = lastCellCopy();
    if (content && content->cells && copy && copy->text == content->text) {
        history.record(sheet, ClipboardTexts::tr("貼り付け"),
                       [&] { pasteCells(sheet, *copy, at); });
        return true;
    }
    const std::optional<ShapesCopy>& shapes = lastShapesCopy();
    if (shapes && ownCopy(data)) {
        if (data == shapes->held) {
            history.record(sheet, ClipboardTexts::tr("貼り付け"),
                           [&] { pasteShapes(sheet, *shapes, at); });
            return true;
        }
    }
    if (const auto file = pictureFile(data)) {
        history.record(sheet, ClipboardTexts::tr("貼り付け"),
                       [&] { insertPictureFile(sheet, file->first, file->second); });
        return true;
    }
    if (content && !content->cells && (!content->bitmap.isNull() || content->pending)) {
        history.record(sheet, ClipboardTexts::tr("貼り付け"),
                       [&] { sheet.call(QStringLiteral("PasteSpecial")); });
        return true;
    }
    if (content && !content->text.isEmpty()) {
        history.record(sheet, ClipboardTexts::tr("貼り付け"),
                       [&] { pasteText(sheet, content->text, at); });
        return true;
    }
    return false;
}

} // namespace host_app::commands
