#include "host/objects/evaluate.h"

#include "host/automation/host_error.h"
#include "host/model/stored_cells.h"
#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/evaluate_parser.h"
#include "host/objects/workbook.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace host::objects {

namespace {

using namespace formula;

// The longest formula text the host evaluates.
constexpr qsizetype kMaxFormulaLength = 255;
// Formulas computed here that wait for one another; a longer chain answers #VALUE!.
constexpr size_t kMaxChain = 64;

// The active workbook's cells. A cell that holds a formula the host has not computed (one
// written through Value or Formula) is computed here, once per evaluation.
class WorkbookContext : public Context
{
public:
    explicit WorkbookContext(model::Workbook* book) : m_book(book)
    {
        if (!m_book || m_book->sheets.empty())
            return;
        m_sheet = std::clamp(m_book->activeSheet, 0, int(m_book->sheets.size()) - 1);
        if (const auto cell = model::parseA1(m_book->sheets[size_t(m_sheet)]->view.activeCell)) {
            m_row = cell->top;
            m_column = cell->left;
        }
    }

    int formulaSheet() const override { return m_sheet; }
    int formulaRow() const override { return m_row; }
    int formulaColumn() const override { return m_column; }

    int sheetIndex(const QString& name) const override
    {
        if (!m_book)
            return -1;
        for (size_t i = 0; i < m_book->sheets.size(); ++i)
            if (m_book->sheets[i]->name.compare(name, Qt::CaseInsensitive) == 0)
                return int(i);
        return -1;
    }
    QString sheetName(int sheet) const override
    {
        return valid(sheet) ? m_book->sheets[size_t(sheet)]->name : QString();
    }

    Value cell(int sheet, int row, int column) override
    {
        if (!valid(sheet))
            return ErrorCode::Ref;
        return valueOf(sheet, row, column, m_book->sheets[size_t(sheet)]->cell(row, column));
    }

    void forValues(const Reference& block, const std::function<void(const Value&)>& visit) override
    {
        if (!valid(block.sheet))
            return visit(ErrorCode::Ref);
        model::forStoredCells(*m_book->sheets[size_t(block.sheet)], block.rect,
                              [&](int row, int column, const model::Cell& cell) {
                                  const Value v = valueOf(block.sheet, row, column, &cell);
                                  if (!std::holds_alternative<Blank>(v))
                                      visit(v);
                              });
    }

private:
    bool valid(int sheet) const
    {
        return m_book && sheet >= 0 && sheet < int(m_book->sheets.size());
    }

    Value valueOf(int sheet, int row, int column, const model::Cell* cell)
    {
        if (!cell)
            return Blank{};
        switch (cell->kind) {
        case model::CellKind::Number:
            return cell->number;
        case model::CellKind::Text:
            return cell->text;
        case model::CellKind::Boolean:
            return cell->boolean;
        case model::CellKind::Error:
            return errorFromText(cell->text).value_or(ErrorCode::Value);
        case model::CellKind::Empty:
            break;
        }
        if (cell->formula.isEmpty())
            return Blank{};
        return computed(sheet, row, column, cell->formula);
    }

    Value computed(int sheet, int row, int column, const QString& formula)
    {
        const std::tuple<int, int, int> key{sheet, row, column};
        if (m_computing.count(key))
            return 0.0; // a circular reference reads as zero
        if (m_computing.size() >= kMaxChain)
            return ErrorCode::Value;
        m_computing.insert(key);
        const int saved[] = {m_sheet, m_row, m_column};
        m_sheet = sheet;
        m_row = row;
        m_column = column;
        Value v = ErrorCode::Value;
        if (const auto node = parseFormula(formula, *this))
            v = toScalar(evaluateNode(*node, *this), *this);
        m_sheet = saved[0];
        m_row = saved[1];
        m_column = saved[2];
        m_computing.erase(key);
        return v;
    }

    model::Workbook* m_book;
    int m_sheet = 0;
    int m_row = 1;
    int m_column = 1;
    std::set<std::tuple<int, int, int>> m_computing;
};

[[noreturn]] void raiseError(ErrorCode code)
{
    raise(int(code), errorText(code));
}

Variant toVariant(const Value& v)
{
    if (const auto* d = std::get_if<double>(&v))
        return Variant(*d);
    if (const auto* s = std::get_if<QString>(&v))
        return Variant(*s);
    if (const auto* b = std::get_if<bool>(&v))
        return Variant(*b);
    if (const auto* e = std::get_if<ErrorCode>(&v))
        raiseError(*e);
    return {};
}

} // namespace

Variant evaluate(Application& app, const QString& formula)
{
    if (formula.size() > kMaxFormulaLength)
        raiseError(ErrorCode::Value);
    const auto book = app.activeWorkbook();
    WorkbookContext context(book ? &book->model() : nullptr);
    const auto node = parseFormula(formula, context);
    if (!node)
        raiseError(ErrorCode::Value);
    const Value result = evaluateNode(*node, context);
    const auto* ref = std::get_if<Reference>(&result);
    if (!ref)
        return toVariant(result);
    if (ref->rect.isSingleCell())
        return toVariant(context.cell(ref->sheet, ref->rect.top, ref->rect.left));
    VariantArray array;
    array.rows = ref->rect.rows();
    array.columns = ref->rect.columns();
    array.items.reserve(size_t(ref->rect.count()));
    for (int r = ref->rect.top; r <= ref->rect.bottom; ++r)
        for (int c = ref->rect.left; c <= ref->rect.right; ++c) {
            const Value cell = context.cell(ref->sheet, r, c);
            array.items.push_back(isError(cell) ? Variant(errorText(std::get<ErrorCode>(cell)))
                                                : toVariant(cell));
        }
    return Variant(std::move(array));
}

} // namespace host::objects
