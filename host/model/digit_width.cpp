#include "host/model/digit_width.h"

#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QRawFont>

#include <algorithm>
#include <cmath>

namespace host::model {

namespace {

struct KnownFont
{
    const char16_t* name;
    double size;
    int width;
};

// Widths as spreadsheet programs lay columns out with these fonts at 96 dpi.
constexpr KnownFont kKnownFonts[] = {
    {u"Calibri", 10, 7},
    {u"Calibri", 11, 7},
    {u"Carlito", 11, 7},
    {u"Arial", 10, 7},
    {u"Arial", 11, 8},
    {u"Liberation Sans", 10, 7},
    {u"Liberation Sans", 11, 8},
    {u"MS PGothic", 11, 8},
    {u"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF", 11, 8}, // ＭＳ Ｐゴシック
    {u"MS Gothic", 11, 8},
    {u"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF", 11, 8}, // ＭＳ ゴシック
    {u"Yu Gothic", 11, 8},
    {u"\u6E38\u30B4\u30B7\u30C3\u30AF", 11, 8}, // 游ゴシック
};

constexpr int kFallbackWidth = 7;

int measured(const QString& fontName, double pointSize)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return 0;
    QFont font(fontName);
    if (QFontInfo(font).family().compare(fontName, Qt::CaseInsensitive) != 0)
        return 0; // not installed: a substitute would measure something else
    QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid())
        return 0;
    raw.setPixelSize(pointSize * 96.0 / 72.0);
    const QList<quint32> glyphs = raw.glyphIndexesForString(QStringLiteral("0123456789"));
    double widest = 0;
    for (const QPointF& advance : raw.advancesForGlyphIndexes(glyphs))
        widest = std::max(widest, advance.x());
    return int(std::lround(widest));
}

} // namespace

int maximumDigitWidth(const QString& fontName, double pointSize)
{
    for (const KnownFont& known : kKnownFonts)
        if (known.size == pointSize &&
            fontName.compare(QString::fromUtf16(known.name), Qt::CaseInsensitive) == 0)
            return known.width;
    const int width = measured(fontName, pointSize);
    return width > 0 ? width : kFallbackWidth;
}

} // namespace host::model
