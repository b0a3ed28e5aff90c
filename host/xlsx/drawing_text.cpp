#include "host/xlsx/drawing_text.h"

#include "host/xlsx/xml_util.h"

#include <QColor>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <string_view>
#include <utility>

namespace host::xlsx {

using model::TextBody;
using model::TextFont;

namespace {

constexpr std::pair<const char*, int> kHorizontal[] = {{"l", model::kAlignLeft},
                                                       {"ctr", model::kAlignCenter},
                                                       {"r", model::kAlignRight},
                                                       {"just", model::kAlignJustify},
                                                       {"dist", model::kAlignDistributed}};
constexpr std::pair<const char*, int> kVertical[] = {{"t", model::kAlignTop},
                                                     {"ctr", model::kAlignCenter},
                                                     {"b", model::kAlignBottom},
                                                     {"just", model::kAlignJustify},
                                                     {"dist", model::kAlignDistributed}};
// The host's text orientations and DrawingML's vert values.
constexpr std::pair<const char*, int> kOrientation[] = {
    {"horz", 1}, {"vert270", 2}, {"vert", 3}, {"eaVert", 5}, {"wordArtVert", 6}};

template <std::size_t N>
int lookUp(const std::pair<const char*, int> (&table)[N], std::string_view key, int fallback)
{
    for (const auto& [name, value] : table) {
        if (key == name)
            return value;
    }
    return fallback;
}

template <std::size_t N>
const char* nameOf(const std::pair<const char*, int> (&table)[N], int value)
{
    for (const auto& [name, v] : table) {
        if (v == value)
            return name;
    }
    return table[0].first;
}

std::optional<QRgb> hexColor(const char* text)
{
    bool ok = false;
    const uint value = QString::fromUtf8(text).toUInt(&ok, 16);
    if (!ok || std::string_view(text).size() != 6)
        return std::nullopt;
    return qRgb(int(value >> 16) & 0xff, int(value >> 8) & 0xff, int(value) & 0xff);
}

double insetPoints(pugi::xml_attribute a, double fallback)
{
    const auto v = xml::doubleValue(a);
    return v && std::isfinite(*v) ? *v / 12700 : fallback;
}

void readFont(pugi::xml_node rPr, const Palette& palette, const ThemeColors& theme, TextFont& font)
{
    if (!rPr)
        return;
    if (const auto size = xml::doubleValue(rPr.attribute("sz")); size && *size > 0)
        font.size = *size / 100;
    font.bold = xml::boolValue(rPr.attribute("b"), false);
    font.italic = xml::boolValue(rPr.attribute("i"), false);
    const std::string_view u = rPr.attribute("u").value();
    font.underline = !u.empty() && u != "none";
    const std::string_view strike = rPr.attribute("strike").value();
    font.strikethrough = !strike.empty() && strike != "noStrike";
    const double baseline = xml::doubleValue(rPr.attribute("baseline")).value_or(0);
    font.superscript = baseline > 0;
    font.subscript = baseline < 0;
    QString name = xml::text(xml::child(rPr, "latin").attribute("typeface"));
    const QString eastAsian = xml::text(xml::child(rPr, "ea").attribute("typeface"));
    // Theme references ("+mn-lt") name no font: the workbook's default is shown.
    if (name.isEmpty() || name.startsWith(u'+'))
        name = eastAsian.startsWith(u'+') ? QString() : eastAsian;
    font.name = name;
    if (const auto color = solidFillColor(rPr, theme)) {
        font.colorIndex = 0;
        font.color = *color;
        for (std::size_t i = 0; i < palette.size(); ++i) {
            if ((palette[i] & 0xffffff) == (*color & 0xffffff)) {
                font.colorIndex = int(i) + 1;
                break;
            }
        }
    }
}

// A scheme colour by its name; the text and background names are the dark and light ones.
std::optional<QRgb> themeColor(std::string_view name, const ThemeColors& theme)
{
    static constexpr std::pair<std::string_view, std::size_t> kNames[] = {
        {"dk1", 0},     {"tx1", 0},     {"lt1", 1},     {"bg1", 1},
        {"dk2", 2},     {"tx2", 2},     {"lt2", 3},     {"bg2", 3},
        {"accent1", 4}, {"accent2", 5}, {"accent3", 6}, {"accent4", 7},
        {"accent5", 8}, {"accent6", 9}, {"hlink", 10},  {"folHlink", 11}};
    for (const auto& [key, index] : kNames)
        if (key == name)
            return theme[index];
    return std::nullopt; // "phClr" and the like depend on a style this reader does not follow
}

// The luminance changes of a colour element (<a:lumMod>, <a:lumOff>), in the order given,
// as the lighter and darker variants of theme colours are written.
QRgb withModifiers(QRgb color, pugi::xml_node element)
{
    QColor c = QColor::fromRgb(color);
    for (pugi::xml_node m : element.children()) {
        const double value = xml::doubleValue(m.attribute("val")).value_or(100000) / 100000;
        if (xml::is(m, "lumMod"))
            c = QColor::fromHslF(c.hslHueF(), c.hslSaturationF(),
                                 std::clamp(c.lightnessF() * value, 0.0, 1.0));
        else if (xml::is(m, "lumOff"))
            c = QColor::fromHslF(c.hslHueF(), c.hslSaturationF(),
                                 std::clamp(c.lightnessF() + value, 0.0, 1.0));
    }
    return c.rgb();
}

pugi::xml_node add(pugi::xml_node parent, const char* name)
{
    return parent.append_child(name);
}

} // namespace

std::optional<QRgb> solidFillColor(pugi::xml_node parent, const ThemeColors& theme)
{
    const pugi::xml_node fill = xml::child(parent, "solidFill");
    if (!fill)
        return std::nullopt;
    for (pugi::xml_node c : fill.children()) {
        std::optional<QRgb> base;
        if (xml::is(c, "srgbClr"))
            base = hexColor(c.attribute("val").value());
        else if (xml::is(c, "sysClr"))
            base = hexColor(c.attribute("lastClr").value());
        else if (xml::is(c, "schemeClr"))
            base = themeColor(c.attribute("val").value(), theme);
        else
            continue;
        return base ? std::optional<QRgb>(withModifiers(*base, c)) : std::nullopt;
    }
    return std::nullopt;
}

void appendSolidFill(pugi::xml_node parent, QRgb color)
{
    pugi::xml_node rgb = add(add(parent, "a:solidFill"), "a:srgbClr");
    rgb.append_attribute("val") = QStringLiteral("%1")
                                      .arg(color & 0xffffff, 6, 16, QChar(u'0'))
                                      .toUpper()
                                      .toUtf8()
                                      .constData();
}

TextBody readTextBody(pugi::xml_node txBody, const Palette& palette, const ThemeColors& theme)
{
    TextBody body;
    const pugi::xml_node bodyPr = xml::child(txBody, "bodyPr");
    body.marginLeft = insetPoints(bodyPr.attribute("lIns"), body.marginLeft);
    body.marginRight = insetPoints(bodyPr.attribute("rIns"), body.marginRight);
    body.marginTop = insetPoints(bodyPr.attribute("tIns"), body.marginTop);
    body.marginBottom = insetPoints(bodyPr.attribute("bIns"), body.marginBottom);
    body.verticalAlignment =
        lookUp(kVertical, bodyPr.attribute("anchor").value(), model::kAlignTop);
    body.orientation = lookUp(kOrientation, bodyPr.attribute("vert").value(), 1);
    body.autoSize = bool(xml::child(bodyPr, "spAutoFit"));

    QStringList paragraphs;
    pugi::xml_node firstRun;
    pugi::xml_node firstEnd;
    bool alignmentRead = false;
    for (pugi::xml_node p : xml::children(txBody, "p")) {
        QString text;
        if (!alignmentRead) {
            alignmentRead = true;
            const pugi::xml_node pPr = xml::child(p, "pPr");
            body.horizontalAlignment =
                lookUp(kHorizontal, pPr.attribute("algn").value(), model::kAlignLeft);
            // Spacing as a share of single lines; spacing in points is left to the default.
            if (const auto share = xml::doubleValue(
                    xml::child(xml::child(pPr, "lnSpc"), "spcPct").attribute("val")))
                if (*share > 0)
                    body.lineSpacing = *share / 100000;
        }
        for (pugi::xml_node r : p.children()) {
            if (xml::is(r, "r") || xml::is(r, "fld")) {
                text += xml::text(xml::child(r, "t"));
                if (!firstRun)
                    firstRun = r;
            } else if (xml::is(r, "br")) {
                text += u'\n';
            } else if (xml::is(r, "endParaRPr") && !firstEnd) {
                firstEnd = r;
            }
        }
        paragraphs.append(text);
    }
    body.text = paragraphs.join(u'\n');
    readFont(firstRun ? xml::child(firstRun, "rPr") : firstEnd, palette, theme, body.font);
    return body;
}

void writeTextBody(pugi::xml_node txBody, const TextBody& body, const Palette& palette)
{
    pugi::xml_node bodyPr = add(txBody, "a:bodyPr");
    bodyPr.append_attribute("vertOverflow") = "clip";
    bodyPr.append_attribute("horzOverflow") = "clip";
    if (body.orientation != 1)
        bodyPr.append_attribute("vert") = nameOf(kOrientation, body.orientation);
    bodyPr.append_attribute("wrap") = "square";
    bodyPr.append_attribute("lIns") = (long long)std::llround(body.marginLeft * 12700);
    bodyPr.append_attribute("tIns") = (long long)std::llround(body.marginTop * 12700);
    bodyPr.append_attribute("rIns") = (long long)std::llround(body.marginRight * 12700);
    bodyPr.append_attribute("bIns") = (long long)std::llround(body.marginBottom * 12700);
    bodyPr.append_attribute("rtlCol") = "0";
    bodyPr.append_attribute("anchor") = nameOf(kVertical, body.verticalAlignment);
    if (body.autoSize)
        add(bodyPr, "a:spAutoFit");
    add(txBody, "a:lstStyle");

    const TextFont& font = body.font;
    auto runProperties = [&](pugi::xml_node rPr) {
        rPr.append_attribute("lang") = "ja-JP";
        rPr.append_attribute("altLang") = "en-US";
        rPr.append_attribute("sz") = (long long)std::llround(font.size * 100);
        if (font.bold)
            rPr.append_attribute("b") = "1";
        if (font.italic)
            rPr.append_attribute("i") = "1";
        if (font.underline)
            rPr.append_attribute("u") = "sng";
        if (font.strikethrough)
            rPr.append_attribute("strike") = "sngStrike";
        if (font.superscript)
            rPr.append_attribute("baseline") = "30000";
        else if (font.subscript)
            rPr.append_attribute("baseline") = "-25000";
        const QRgb color = font.colorIndex >= 1 && font.colorIndex <= int(palette.size())
                               ? palette[std::size_t(font.colorIndex - 1)]
                               : font.color;
        appendSolidFill(rPr, color);
        if (!font.name.isEmpty()) {
            const QByteArray name = font.name.toUtf8();
            add(rPr, "a:latin").append_attribute("typeface") = name.constData();
            add(rPr, "a:ea").append_attribute("typeface") = name.constData();
        }
    };
    const char* algn = nameOf(kHorizontal, body.horizontalAlignment);
    for (const QString& line : body.text.split(u'\n')) {
        pugi::xml_node p = add(txBody, "a:p");
        pugi::xml_node pPr = add(p, "a:pPr");
        pPr.append_attribute("algn") = algn;
        if (body.lineSpacing != 1.0)
            add(add(pPr, "a:lnSpc"), "a:spcPct").append_attribute("val") =
                (long long)std::llround(body.lineSpacing * 100000);
        if (!line.isEmpty()) {
            pugi::xml_node r = add(p, "a:r");
            runProperties(add(r, "a:rPr"));
            // DrawingML keeps the spaces of <a:t> as they are.
            add(r, "a:t").text().set(line.toUtf8().constData());
        }
        runProperties(add(p, "a:endParaRPr"));
    }
}

} // namespace host::xlsx
