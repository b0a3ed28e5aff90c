#include "cli/report_format.h"

#include "cli/sheet_report.h"

#include <QLocale>
#include <QStringList>

#include <cmath>
#include <cstdio>

namespace cli {

namespace {

// JSON is written directly rather than through a document object: a used range can hold
// hundreds of thousands of cells, and one line per cell keeps the output readable.
void appendString(QByteArray& out, const QString& text)
{
    out += '"';
    for (const char c : text.toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (byte < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(byte));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void appendNumber(QByteArray& out, double value)
{
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    out += QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

void appendBool(QByteArray& out, bool value)
{
    out += value ? "true" : "false";
}

void appendValue(QByteArray& out, const host::Variant& value)
{
    switch (value.type()) {
    case host::VarType::Empty:
        out += "\"\"";
        return;
    case host::VarType::Null:
        out += "null";
        return;
    case host::VarType::Boolean:
        appendBool(out, value.toBool());
        return;
    case host::VarType::Integer:
    case host::VarType::Long:
    case host::VarType::Double:
    case host::VarType::Currency:
        appendNumber(out, value.toDouble());
        return;
    case host::VarType::Date:
        appendString(out, host::serialToDateTime(value.toDate().serial).toString(Qt::ISODate));
        return;
    default:
        appendString(out, value.toString());
    }
}

QString textValue(const host::Variant& value)
{
    switch (value.type()) {
    case host::VarType::Empty:
        return {};
    case host::VarType::Null:
        return QStringLiteral("(null)");
    case host::VarType::Boolean:
        return value.toBool() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case host::VarType::Integer:
    case host::VarType::Long:
    case host::VarType::Double:
    case host::VarType::Currency:
        return QString::number(value.toDouble(), 'g', 15);
    case host::VarType::Date:
        return host::serialToDateTime(value.toDate().serial).toString(Qt::ISODate);
    default: {
        // One line per cell: tabs and line breaks inside a text are shown escaped.
        QString text = value.toString();
        text.replace(u'\\', QStringLiteral("\\\\"));
        text.replace(u'\t', QStringLiteral("\\t"));
        text.replace(u'\n', QStringLiteral("\\n"));
        text.replace(u'\r', QStringLiteral("\\r"));
        return text;
    }
    }
}

QString points(double value)
{
    return QString::number(value, 'g', 15);
}

QString visibility(int visible)
{
    switch (visible) {
    case -1:
        return QStringLiteral("visible");
    case 0:
        return QStringLiteral("hidden");
    case 2:
        return QStringLiteral("very hidden");
    }
    return QStringLiteral("visibility %1").arg(visible);
}

} // namespace

QByteArray reportJson(const std::vector<SheetReport>& sheets)
{
    QByteArray out = "{\"sheets\":[";
    for (std::size_t s = 0; s < sheets.size(); ++s) {
        const SheetReport& sheet = sheets[s];
        out += s == 0 ? "\n{\"name\":" : ",\n{\"name\":";
        appendString(out, sheet.name);
        out += ",\"visible\":";
        out += QByteArray::number(sheet.visible);
        out += ",\"protect_contents\":";
        appendBool(out, sheet.protectContents);
        out += ",\"protect_drawing_objects\":";
        appendBool(out, sheet.protectDrawingObjects);
        out += ",\"cells\":[";
        for (std::size_t c = 0; c < sheet.cells.size(); ++c) {
            const CellReport& cell = sheet.cells[c];
            out += c == 0 ? "\n{\"address\":" : ",\n{\"address\":";
            appendString(out, cell.address);
            out += ",\"left\":";
            appendNumber(out, cell.left);
            out += ",\"top\":";
            appendNumber(out, cell.top);
            out += ",\"width\":";
            appendNumber(out, cell.width);
            out += ",\"height\":";
            appendNumber(out, cell.height);
            out += ",\"merge_area\":";
            appendString(out, cell.mergeArea);
            out += ",\"hidden\":";
            appendBool(out, cell.hidden);
            out += ",\"locked\":";
            appendBool(out, cell.locked);
            out += ",\"value\":";
            appendValue(out, cell.value);
            out += '}';
        }
        out += "],\"shapes\":[";
        for (std::size_t i = 0; i < sheet.shapes.size(); ++i) {
            const ShapeReport& shape = sheet.shapes[i];
            out += i == 0 ? "\n{\"name\":" : ",\n{\"name\":";
            appendString(out, shape.name);
            out += ",\"type\":";
            out += QByteArray::number(shape.type);
            const std::pair<const char*, double> numbers[] = {
                {"left", shape.left},     {"top", shape.top},           {"width", shape.width},
                {"height", shape.height}, {"rotation", shape.rotation},
            };
            for (const auto& [name, value] : numbers) {
                out += ",\"";
                out += name;
                out += "\":";
                appendNumber(out, value);
            }
            out += ",\"placement\":";
            out += QByteArray::number(shape.placement);
            if (shape.picture) {
                const std::pair<const char*, double> picture[] = {
                    {"untouched_width", shape.untouchedWidth},
                    {"untouched_height", shape.untouchedHeight},
                    {"crop_left", shape.cropLeft},
                    {"crop_top", shape.cropTop},
                    {"crop_right", shape.cropRight},
                    {"crop_bottom", shape.cropBottom},
                    {"brightness", shape.brightness},
                    {"contrast", shape.contrast}};
                for (const auto& [name, value] : picture) {
                    out += ",\"";
                    out += name;
                    out += "\":";
                    appendNumber(out, value);
                }
            }
            out += '}';
        }
        out += "]}";
    }
    out += "\n]}\n";
    return out;
}

QString reportText(const std::vector<SheetReport>& sheets)
{
    QString out;
    for (const SheetReport& sheet : sheets) {
        out += QStringLiteral("sheet %1: %2, contents %3, drawing objects %4\n")
                   .arg(sheet.name, visibility(sheet.visible),
                        sheet.protectContents ? QStringLiteral("protected")
                                              : QStringLiteral("unprotected"),
                        sheet.protectDrawingObjects ? QStringLiteral("protected")
                                                    : QStringLiteral("unprotected"));
        out += QStringLiteral("  address\tleft\ttop\twidth\theight\tmerge_area\thidden\tlocked\t"
                              "value\n");
        for (const CellReport& cell : sheet.cells) {
            const QStringList fields{cell.address,
                                     points(cell.left),
                                     points(cell.top),
                                     points(cell.width),
                                     points(cell.height),
                                     cell.mergeArea,
                                     cell.hidden ? QStringLiteral("hidden") : QStringLiteral("-"),
                                     cell.locked ? QStringLiteral("locked") : QStringLiteral("-"),
                                     textValue(cell.value)};
            out += QStringLiteral("  ") + fields.join(u'\t') + u'\n';
        }
        if (sheet.shapes.empty())
            continue;
        out += QStringLiteral("  shape\tname\ttype\tleft\ttop\twidth\theight\trotation\t"
                              "placement\tuntouched_width\tuntouched_height\tcrop_left\t"
                              "crop_top\tcrop_right\tcrop_bottom\tbrightness\tcontrast\n");
        for (const ShapeReport& shape : sheet.shapes) {
            QStringList fields{QStringLiteral("shape"),
                               textValue(host::Variant(shape.name)),
                               QString::number(shape.type),
                               points(shape.left),
                               points(shape.top),
                               points(shape.width),
                               points(shape.height),
                               points(shape.rotation),
                               QString::number(shape.placement)};
            for (const double v :
                 {shape.untouchedWidth, shape.untouchedHeight, shape.cropLeft, shape.cropTop,
                  shape.cropRight, shape.cropBottom, shape.brightness, shape.contrast})
                fields.append(shape.picture ? points(v) : QStringLiteral("-"));
            out += QStringLiteral("  ") + fields.join(u'\t') + u'\n';
        }
    }
    return out;
}

} // namespace cli
