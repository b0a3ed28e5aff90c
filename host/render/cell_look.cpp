#include "host/render/cell_look.h"

#include "host/model/workbook.h"
#include "host/render/text_line.h"
#include "host/render/text_paint.h"

#include <QFontDatabase>
#include <QHash>

#include <map>
#include <mutex>
#include <vector>

namespace host::model {

// One workbook's resolved looks; replaced as a whole when the look changes, so that a paint
// holding the old one keeps valid records.
struct LookCache
{
    int revision = 0;
    std::mutex mutex;
    std::vector<std::unique_ptr<host::render::CellLook>> looks; // by format index
    std::map<int, NumberFormat> numberFormats;                  // parsed once per id
    double indentStep = -1;
};

} // namespace host::model

namespace host::render {

namespace {

using model::StyleColor;

constexpr QRgb kStandardColours[8] = {0xFF000000, 0xFFFFFFFF, 0xFFFF0000, 0xFF00FF00,
                                      0xFF0000FF, 0xFFFFFF00, 0xFFFF00FF, 0xFF00FFFF};

// Theme indexes 0–3 name the light and dark colours in the other order than the scheme.
int themeSchemeIndex(int themeIndex)
{
    static constexpr int kSwapped[4] = {1, 0, 3, 2};
    return themeIndex >= 0 && themeIndex < 4 ? kSwapped[themeIndex] : themeIndex;
}

// Lightens (tint > 0) or darkens (tint < 0) in lightness, as the programs apply a tint.
QColor tintedColour(const QColor& base, double tint)
{
    if (tint == 0)
        return base;
    float h = 0, s = 0, l = 0;
    base.getHslF(&h, &s, &l);
    const double lightness = tint < 0 ? l * (1 + tint) : l * (1 - tint) + tint;
    return QColor::fromHslF(h, s, float(std::clamp(lightness, 0.0, 1.0)));
}

// A pattern fill drawn as the mean of its colours over the pattern's share of pixels.
double patternCoverage(model::FillPattern p)
{
    switch (p) {
    case model::FillPattern::Gray0625:
        return 0.0625;
    case model::FillPattern::Gray125:
        return 0.125;
    case model::FillPattern::LightGray:
        return 0.25;
    case model::FillPattern::MediumGray:
    case model::FillPattern::Hatched:
        return 0.5;
    case model::FillPattern::DarkGray:
        return 0.75;
    default:
        return 1;
    }
}

QColor mixedColour(const QColor& a, const QColor& b, double share)
{
    const auto channel = [&](int x, int y) {
        return int(std::lround(x * share + y * (1 - share)));
    };
    return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()),
                  channel(a.blue(), b.blue()));
}

EdgeLine edgeLineOf(const model::Workbook& book, const model::BorderLine& line)
{
    return EdgeLine{line.style, resolveColor(book, line.color, Qt::black)};
}

std::unique_ptr<CellLook> resolvedLook(const model::Workbook& book, model::LookCache& cache,
                                       int style)
{
    auto look = std::make_unique<CellLook>();
    const model::CellFormat& format = book.format(style);
    const model::CellFont fallback{};
    const model::CellFont& font = format.font >= 0 && size_t(format.font) < book.fonts.size()
                                      ? book.fonts[size_t(format.font)]
                                      : fallback;
    look->font = QFont(installedFamily(font.name.isEmpty() ? book.defaultFontName : font.name));
    look->font.setPointSizeF(font.size > 0 ? font.size : book.defaultFontSize);
    look->font.setBold(font.bold);
    look->font.setItalic(font.italic);
    look->font.setUnderline(font.underline != model::Underline::None);
    look->font.setStrikeOut(font.strike);
    look->textColor = resolveColor(book, font.color, Qt::black);
    look->lines = std::make_shared<const TextLineCache>(look->font);

    if (format.fill >= 0 && size_t(format.fill) < book.fills.size()) {
        const model::CellFill& fill = book.fills[size_t(format.fill)];
        if (fill.pattern != model::FillPattern::None) {
            const QColor fore = resolveColor(book, fill.foreground, Qt::black);
            const QColor back = resolveColor(book, fill.background, Qt::white);
            look->filled = true;
            look->fill = mixedColour(fore, back, patternCoverage(fill.pattern));
        }
    }
    if (format.border >= 0 && size_t(format.border) < book.borders.size()) {
        const model::CellBorder& b = book.borders[size_t(format.border)];
        look->left = edgeLineOf(book, b.left);
        look->right = edgeLineOf(book, b.right);
        look->top = edgeLineOf(book, b.top);
        look->bottom = edgeLineOf(book, b.bottom);
        look->diagonal = edgeLineOf(book, b.diagonal);
        look->diagonalUp = b.diagonalUp;
        look->diagonalDown = b.diagonalDown;
    }
    look->alignment = format.alignment;
    auto parsed = cache.numberFormats.find(format.numberFormat);
    if (parsed == cache.numberFormats.end())
        parsed =
            cache.numberFormats
                .emplace(format.numberFormat,
                         model::NumberFormat(model::numberFormatCode(book, format.numberFormat)))
                .first;
    look->numberFormat = parsed->second;
    if (cache.indentStep < 0) // three spaces of the default font a level
        cache.indentStep = 3 * textWidth(QStringLiteral(" "), cellFont(book));
    look->indentStep = cache.indentStep;
    return look;
}

} // namespace

QColor resolveColor(const model::Workbook& book, const StyleColor& color, const QColor& automatic)
{
    QColor base = automatic;
    switch (color.kind) {
    case StyleColor::Kind::Automatic:
        return automatic;
    case StyleColor::Kind::Rgb:
        base = QColor::fromRgb(color.rgb);
        break;
    case StyleColor::Kind::Indexed:
        if (color.index >= 0 && color.index < 8)
            base = QColor::fromRgb(kStandardColours[color.index]);
        else if (color.index >= 8 && color.index < 64)
            base = QColor::fromRgb(book.palette[size_t(color.index - 8)]);
        else // 64 and 65: the system's own foreground and background
            return automatic;
        break;
    case StyleColor::Kind::Theme: {
        const int i = themeSchemeIndex(color.index);
        if (i < 0 || size_t(i) >= book.themeColors.size())
            return automatic;
        base = QColor::fromRgb(book.themeColors[size_t(i)]);
        break;
    }
    }
    return tintedColour(base, color.tint);
}

QString installedFamily(const QString& name)
{
    static std::mutex mutex;
    static QHash<QString, QString> known;
    const std::lock_guard lock(mutex);
    if (const auto it = known.constFind(name); it != known.constEnd())
        return *it;
    QString family = name;
    if (!QFontDatabase::hasFamily(name)) {
        // Fonts of the same metrics first, then the script's font for Japanese names.
        static const struct
        {
            const char16_t* name;
            const char16_t* instead;
        } kSame[] = {{u"Calibri", u"Carlito"},
                     {u"Cambria", u"Caladea"},
                     {u"Arial", u"Liberation Sans"},
                     {u"Times New Roman", u"Liberation Serif"},
                     {u"Courier New", u"Liberation Mono"}};
        for (const auto& s : kSame)
            if (name.compare(QStringView(s.name), Qt::CaseInsensitive) == 0 &&
                QFontDatabase::hasFamily(QString::fromUtf16(s.instead)))
                family = QString::fromUtf16(s.instead);
        const bool japanese =
            std::any_of(name.begin(), name.end(), [](QChar c) { return c.unicode() >= 0x3000; }) ||
            name.contains(u"Gothic", Qt::CaseInsensitive) ||
            name.contains(u"Mincho", Qt::CaseInsensitive) ||
            name.contains(u"Meiryo", Qt::CaseInsensitive);
        if (family == name && japanese) {
            const bool serif =
                name.contains(u"Mincho", Qt::CaseInsensitive) || name.contains(u"明朝");
            const QString cjk =
                serif ? QStringLiteral("Noto Serif CJK JP") : QStringLiteral("Noto Sans CJK JP");
            if (QFontDatabase::hasFamily(cjk))
                family = cjk;
        }
    }
    known.insert(name, family);
    return family;
}

LookTable::LookTable(const model::Workbook& book) : m_book(book)
{
    if (!book.lookCache || book.lookCache->revision != book.lookRevision) {
        book.lookCache = std::make_shared<model::LookCache>();
        book.lookCache->revision = book.lookRevision;
    }
    m_cache = book.lookCache;
}

const CellLook& LookTable::look(int style) const
{
    model::LookCache& cache = *m_cache;
    const std::lock_guard lock(cache.mutex);
    const size_t index =
        style >= 0 && size_t(style) < m_book.cellFormats.size() ? size_t(style) : 0;
    if (cache.looks.size() <= index)
        cache.looks.resize(index + 1);
    if (!cache.looks[index])
        cache.looks[index] = resolvedLook(m_book, cache, int(index));
    return *cache.looks[index];
}

} // namespace host::render
