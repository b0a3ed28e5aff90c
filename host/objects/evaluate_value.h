#pragma once

#include "host/model/cell_ref.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

// The values a worksheet formula computes with, for Application.Evaluate.
namespace host::objects::formula {

// The error values, numbered as the automation's error variants number them (CVErr codes).
enum class ErrorCode
{
    Null = 2000,
    Div0 = 2007,
    Value = 2015,
    Ref = 2023,
    Name = 2029,
    Num = 2036,
    NA = 2042,
};
QString errorText(ErrorCode code); // "#VALUE!", …
std::optional<ErrorCode> errorFromText(const QString& text);

// A block of cells of one sheet of the workbook (0-based sheet index).
struct Reference
{
    int sheet = 0;
    model::CellRect rect;
};

struct Blank
{
    friend bool operator==(Blank, Blank) { return true; }
};

using Value = std::variant<Blank, double, QString, bool, ErrorCode, Reference>;

inline bool isError(const Value& v)
{
    return std::holds_alternative<ErrorCode>(v);
}

// What an expression needs of the workbook: its cells and sheets, and the cell the formula is
// evaluated at (the active cell), which ROW() and COLUMN() without arguments answer.
class Context
{
public:
    virtual ~Context();
    virtual int formulaSheet() const = 0;
    virtual int formulaRow() const = 0;
    virtual int formulaColumn() const = 0;
    virtual int sheetIndex(const QString& name) const = 0; // -1 when there is none
    virtual QString sheetName(int sheet) const = 0;
    // A cell's value; never a Reference.
    virtual Value cell(int sheet, int row, int column) = 0;
    // The values of the cells in the block that are not blank, row by row.
    virtual void forValues(const Reference& block,
                           const std::function<void(const Value&)>& visit) = 0;
};

struct Node;

// Parses a formula (with or without its leading "="). None on a syntax error.
std::unique_ptr<Node> parseFormula(const QString& text, const Context& context);
Value evaluateNode(const Node& node, Context& context);

// Coercions as the worksheet applies them; an error value passes through unchanged.
Value toScalar(const Value& v, Context& context); // a single cell's value; #VALUE! for a block
Value toNumber(const Value& v, Context& context);
Value toText(const Value& v, Context& context);
Value toBoolean(const Value& v, Context& context);
QString numberText(double value); // the General form: up to 15 significant digits

// Text that reads as a number, a percentage, a date or a time ("2024/01/02 10:20:30").
std::optional<double> parseNumberText(const QString& text);
std::optional<double> parseDateTimeText(const QString& text);

// The TEXT function's formatting of a number by a format code; none for a code it cannot use.
std::optional<QString> formatByCode(double value, const QString& code);

} // namespace host::objects::formula
