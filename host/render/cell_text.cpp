#include "host/render/cell_text.h"

#include "host/model/general_number.h"
#include "host/model/workbook.h"
#include "host/model/geometry.h"
#include "host/render/block_cells.h"
#include "host/render/cell_look.h"
#include "host/render/text_line.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace host::render {

namespace {

using model::CellRect;
using model::HorizontalAlignment;
using model::VerticalAlignment;

constexpr double kCellPadding = 1.5; // points: two pixels at 96 dpi each side
constexpr int kRunOnSearch = 512;    // cells looked at beside the block for text running in

bool showsSomething(const model::Cell& cell)
{
    return cell.kind != model::CellKind::Empty &&
           !(cell.kind == model::CellKind::Text && cell.text.isEmpty());
}

// What a General number shows in `room` points: the most digits that fit, else nothing.
QString generalToFit(double value, double room, const TextLineCache& lines, double scale)
{
    for (int width = 11; width >= 1; --width) {
        const QString text = model::generalNumber(value, width);
        if (!text.isEmpty() && lines.line(text, scale)->width() <= room)
            return text;
    }
    return {};
}

QString hashesFor(double room, const TextLineCache& lines, double scale)
{
    const double hash = std::max(0.1, lines.line(QStringLiteral("#"), scale)->width());
    return QString(std::max(1, int(room / hash)), u'#');
}

HorizontalAlignment flowOf(const CellLook& look, const model::Cell& cell)
{
    const HorizontalAlignment h = look.alignment.horizontal;
    if (h != HorizontalAlignment::General)
        return h;
    switch (cell.kind) {
    case model::CellKind::Number:
        return HorizontalAlignment::Right;
    case model::CellKind::Boolean:
    case model::CellKind::Error:
        return HorizontalAlignment::Center;
    default:
        return HorizontalAlignment::Left;
    }
}

class TextPass
{
public:
    TextPass(QPainter& painter, const BlockCells& cells, const model::Workbook& book)
        : m_painter(painter), m_cells(cells), m_book(book),
          m_block(0, 0, cells.width(), cells.height()), m_scale(pixelScale(painter))
    {
    }

    void paint(int row, int column, const model::Cell& cell, const CellLook& look, QRectF rect,
               bool mayRunOn) const;
    void runOnFromBeside(int row) const;

private:
    bool takesRunOn(int row, int column) const;
    const model::CellRect* sheetMerge(int row, int column) const;
    double roomRight(int row, int column, double need) const;
    double roomLeft(int row, int column, double need) const;

    QPainter& m_painter;
    const BlockCells& m_cells;
    const model::Workbook& m_book;
    QRectF m_block;
    double m_scale; // pixels a point: text is laid out for the pixels it lands on
};

const model::CellRect* TextPass::sheetMerge(int row, int column) const
{
    if (m_cells.span().contains(row, column))
        return m_cells.at(row, column).merge;
    for (const CellRect& m : m_cells.sheet().merges)
        if (m.contains(row, column))
            return &m;
    return nullptr;
}

bool TextPass::takesRunOn(int row, int column) const
{
    if (m_cells.span().contains(row, column)) {
        const BlockCells::Entry& e = m_cells.at(row, column);
        return !e.hasText && !e.merge;
    }
    const model::Cell* cell = m_cells.sheet().cell(row, column);
    return !(cell && showsSomething(*cell)) && !sheetMerge(row, column);
}

// How far text may run on to the right from `column` on: over empty cells, as far as it
// needs or until it leaves the block.
double TextPass::roomRight(int row, int column, double need) const
{
    double room = 0;
    for (int c = column; c <= model::kMaxColumns && room < need && c - column < kRunOnSearch; ++c) {
        if (m_cells.x(c) >= m_block.right() || !takesRunOn(row, c))
            break;
        room += m_cells.x(c + 1) - m_cells.x(c);
    }
    return room;
}

double TextPass::roomLeft(int row, int column, double need) const
{
    double room = 0;
    for (int c = column; c >= 1 && room < need && column - c < kRunOnSearch; --c) {
        if (m_cells.x(c + 1) <= m_block.left() || !takesRunOn(row, c))
            break;
        room += m_cells.x(c + 1) - m_cells.x(c);
    }
    return room;
}

void TextPass::paint(int row, int column, const model::Cell& cell, const CellLook& look,
                     QRectF rect, bool mayRunOn) const
{
    const CellText shown = cellText(cell, look, m_book);
    if (shown.text.isEmpty())
        return;
    const model::CellAlignment& a = look.alignment;
    HorizontalAlignment h = flowOf(look, cell);
    const bool wrap =
        !shown.number &&
        (a.wrap || h == HorizontalAlignment::Justify || h == HorizontalAlignment::Distributed ||
         a.vertical == VerticalAlignment::Justify || a.vertical == VerticalAlignment::Distributed);
    int lastColumn = column;
    if (h == HorizontalAlignment::CenterContinuous && mayRunOn) {
        // Centred over the empty neighbours that continue the centring.
        while (lastColumn < model::kMaxColumns && m_cells.span().contains(row, lastColumn + 1) &&
               takesRunOn(row, lastColumn + 1) &&
               m_cells.at(row, lastColumn + 1).look->alignment.horizontal ==
                   HorizontalAlignment::CenterContinuous)
            ++lastColumn;
        rect.setRight(m_cells.x(lastColumn + 1));
        mayRunOn = false;
    }
    const double indent = a.indent * look.indentStep;
    const bool indentLeft = h == HorizontalAlignment::Left || h == HorizontalAlignment::Distributed;
    const bool indentRight =
        h == HorizontalAlignment::Right || h == HorizontalAlignment::Distributed;
    const QRectF inner = rect.adjusted(kCellPadding + (indentLeft ? indent : 0), 0,
                                       -kCellPadding - (indentRight ? indent : 0), 0);
    const double room = std::max(0.0, inner.width());
    QFont font = look.font;
    QString text = shown.text;
    QRectF clip = rect;

    const QColor color = shown.color.value_or(look.textColor);
    if (wrap) {
        const Qt::Alignment along =
            h == HorizontalAlignment::Center  ? Qt::AlignHCenter
            : h == HorizontalAlignment::Right ? Qt::AlignRight
            : h == HorizontalAlignment::Justify || h == HorizontalAlignment::Distributed
                ? Qt::AlignJustify
                : Qt::AlignLeft;
        const auto lines = look.lines->line(text, m_scale, room, along);
        double top = inner.top();
        if (a.vertical == VerticalAlignment::Center || a.vertical == VerticalAlignment::Distributed)
            top += (inner.height() - lines->height()) / 2;
        else if (a.vertical == VerticalAlignment::Bottom)
            top += inner.height() - lines->height();
        m_painter.save();
        m_painter.setClipRect(clip.intersected(m_block), Qt::IntersectClip);
        lines->draw(m_painter, QPointF(inner.left(), top), color);
        m_painter.restore();
        return;
    }

    text.remove(u'\n'); // line breaks show only in wrapped cells
    const TextLineCache& lines = *look.lines;
    double width = lines.line(text, m_scale)->width();
    bool shrunk = false;
    if (shown.general && width > room) {
        text = generalToFit(cell.number, room, lines, m_scale);
        if (text.isEmpty())
            text = hashesFor(room, lines, m_scale);
    } else if (shown.number && (width > room || shown.unshowable)) {
        text = hashesFor(room, lines, m_scale);
    } else if (a.shrinkToFit && width > room && width > 0) {
        font.setPointSizeF(std::max(1.0, font.pointSizeF() * room / width));
        shrunk = true;
    } else if (shown.fillAt >= 0) {
        const double each = lines.line(QString(shown.fillChar), m_scale)->width();
        const int count = each > 0 ? int((room - width) / each) : 0;
        if (count > 0)
            text.insert(std::min(shown.fillAt, text.size()), QString(count, shown.fillChar));
        h = HorizontalAlignment::Left;
    } else if (h == HorizontalAlignment::Fill && width > 0) {
        text = text.repeated(std::max(1, int(room / width)));
        h = HorizontalAlignment::Left;
        mayRunOn = false;
    }
    const std::shared_ptr<const TextLine> line =
        shrunk ? std::make_shared<const TextLine>(text, font, m_scale) : lines.line(text, m_scale);
    width = line->width();
    if (mayRunOn && !shown.number && width > room) {
        const double over = width - room;
        if (h == HorizontalAlignment::Left || h == HorizontalAlignment::General) {
            clip.setRight(rect.right() + roomRight(row, lastColumn + 1, over));
        } else if (h == HorizontalAlignment::Right) {
            clip.setLeft(rect.left() - roomLeft(row, column - 1, over));
        } else if (h == HorizontalAlignment::Center) {
            clip.setRight(rect.right() + roomRight(row, lastColumn + 1, over / 2));
            clip.setLeft(rect.left() - roomLeft(row, column - 1, over / 2));
        }
    }
    double left = inner.left();
    if (h == HorizontalAlignment::Center || h == HorizontalAlignment::CenterContinuous)
        left += (inner.width() - width) / 2;
    else if (h == HorizontalAlignment::Right)
        left += inner.width() - width;
    double top = inner.top();
    if (a.vertical == VerticalAlignment::Center || a.vertical == VerticalAlignment::Distributed)
        top += (inner.height() - line->height()) / 2;
    else if (a.vertical == VerticalAlignment::Bottom)
        top += inner.height() - line->height();
    const QRectF visible = clip.intersected(m_block);
    if (visible.isEmpty())
        return;
    const QRectF drawn(left, top, width, line->height());
    if (clip.contains(drawn)) { // most values: the block's own clip is enough
        line->draw(m_painter, drawn.topLeft(), color);
        return;
    }
    m_painter.save();
    m_painter.setClipRect(visible, Qt::IntersectClip);
    line->draw(m_painter, drawn.topLeft(), color);
    m_painter.restore();
}

// Text of cells beside the block that runs on into it: the nearest value left of the block
// running right, and the nearest right of it running left.
void TextPass::runOnFromBeside(int row) const
{
    const model::Sheet& sheet = m_cells.sheet();
    const CellRect& a = m_cells.area();
    const auto paintIf = [&](int column, const model::Cell& cell, bool fromLeft) {
        if (sheetMerge(row, column))
            return;
        const CellLook& look = m_cells.span().contains(row, column)
                                   ? *m_cells.at(row, column).look
                                   : m_cells.looks().look(cell.style);
        const HorizontalAlignment h = flowOf(look, cell);
        const bool runs = fromLeft
                              ? h == HorizontalAlignment::Left || h == HorizontalAlignment::Center
                              : h == HorizontalAlignment::Right || h == HorizontalAlignment::Center;
        if (runs && !look.alignment.wrap && cell.kind == model::CellKind::Text)
            paint(row, column, cell, look, m_cells.rect(CellRect{row, column, row, column}), true);
    };
    auto it = sheet.cells.lower_bound({row, a.left});
    for (int steps = 0; steps < kRunOnSearch && it != sheet.cells.begin(); ++steps) {
        --it;
        if (it->first.first != row)
            break;
        if (showsSomething(it->second)) {
            paintIf(it->first.second, it->second, true);
            break;
        }
    }
    it = sheet.cells.lower_bound({row, a.right + 1});
    for (int steps = 0; steps < kRunOnSearch && it != sheet.cells.end(); ++steps, ++it) {
        if (it->first.first != row)
            break;
        if (showsSomething(it->second)) {
            paintIf(it->first.second, it->second, false);
            break;
        }
    }
}

} // namespace

CellText cellText(const model::Cell& cell, const CellLook& look, const model::Workbook& book)
{
    CellText out;
    const auto take = [&](const model::NumberFormat::Shown& shown) {
        out.text = shown.text;
        if (shown.color)
            out.color = resolveColor(book, *shown.color, look.textColor);
        out.fillAt = shown.fillAt;
        out.fillChar = shown.fillChar;
    };
    switch (cell.kind) {
    case model::CellKind::Number:
        out.number = true;
        if (const auto shown = look.numberFormat.number(cell.number, book.date1904)) {
            take(*shown);
            out.general = shown->general;
        } else {
            out.text = QStringLiteral("#");
            out.unshowable = true;
        }
        break;
    case model::CellKind::Text:
        take(look.numberFormat.text(cell.text));
        break;
    case model::CellKind::Boolean:
        out.text = cell.boolean ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        break;
    case model::CellKind::Error:
        out.text = cell.text;
        break;
    case model::CellKind::Empty:
        break;
    }
    return out;
}

void paintCellTexts(QPainter& painter, const BlockCells& cells, const model::Workbook& book)
{
    const TextPass pass(painter, cells, book);
    const CellRect& a = cells.area();
    for (const CellRect& m : cells.merges()) {
        if (!m.intersects(a))
            continue;
        const model::Cell* anchor = cells.span().contains(m.top, m.left)
                                        ? cells.at(m.top, m.left).cell
                                        : cells.sheet().cell(m.top, m.left);
        if (anchor && showsSomething(*anchor))
            pass.paint(m.top, m.left, *anchor, cells.lookOf(m.top, m.left), cells.rect(m), false);
    }
    for (int r = a.top; r <= a.bottom; ++r) {
        if (cells.rowHidden(r))
            continue;
        for (int c = a.left; c <= a.right; ++c) {
            const BlockCells::Entry& e = cells.at(r, c);
            if (!e.hasText || e.merge || cells.columnHidden(c))
                continue;
            pass.paint(r, c, *e.cell, *e.look, cells.rect(CellRect{r, c, r, c}), true);
        }
        pass.runOnFromBeside(r);
    }
}

} // namespace host::render
