// Times painting a block of formatted cells the size of a window's view (60 rows × 30 columns
// at 100 %, 96 dpi): every cell holds a value in one of a dozen formats (fonts, fills, borders,
// alignment, wrapping, number formats, merged areas). Prints the median per paint of the same
// block painted 100 times, of 60 blocks scrolled three rows at a time, and of the first paint
// (looks not yet resolved), against the same values painted without formats in this run.
//   cell_paint_bench

#include "host/model/workbook.h"
#include "host/render/sheet_render.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using namespace host;

constexpr int kRows = 60;
constexpr int kColumns = 30;
constexpr int kSheetRows = kRows + 3 * 60;
constexpr double kPixelsPerPoint = 4.0 / 3.0;

model::StyleColor rgb(QRgb c)
{
    return {model::StyleColor::Kind::Rgb, c, 0, 0};
}

// Twelve formats, as a form or a ledger has them.
void addFormats(model::Workbook& book)
{
    book.fonts = {model::CellFont{}};
    model::CellFont bold;
    bold.bold = true;
    model::CellFont red;
    red.color = rgb(0xffc00000);
    model::CellFont large;
    large.size = 14;
    large.name = QStringLiteral("ＭＳ Ｐゴシック");
    model::CellFont themed;
    themed.italic = true;
    themed.color = {model::StyleColor::Kind::Theme, 0, 4, -0.25};
    book.fonts.insert(book.fonts.end(), {bold, red, large, themed});
    book.fills = {model::CellFill{}, model::CellFill{model::FillPattern::Gray125, {}, {}},
                  model::CellFill{model::FillPattern::Solid, rgb(0xffdde8f5), {}},
                  model::CellFill{
                      model::FillPattern::Solid, {model::StyleColor::Kind::Theme, 0, 9, 0.6}, {}}};
    model::CellBorder thin;
    for (model::BorderLine* side : {&thin.left, &thin.right, &thin.top, &thin.bottom})
        *side = {model::BorderStyle::Thin, rgb(0xff808080)};
    model::CellBorder heavy = thin;
    heavy.bottom = {model::BorderStyle::Double, {}};
    heavy.top = {model::BorderStyle::Medium, {}};
    book.borders = {model::CellBorder{}, thin, heavy};
    book.numberFormats = {{164, QStringLiteral("#,##0.00;[Red]-#,##0.00")},
                          {165, QStringLiteral("yyyy\"年\"m\"月\"d\"日\"")}};

    const auto add = [&](int font, int fill, int border, int number, auto&& align) {
        model::CellFormat f;
        f.font = font;
        f.fill = fill;
        f.border = border;
        f.numberFormat = number;
        align(f.alignment);
        book.cellFormats.push_back(f);
    };
    const auto none = [](model::CellAlignment&) {};
    const auto centre = [](model::CellAlignment& a) {
        a.horizontal = model::HorizontalAlignment::Center;
        a.vertical = model::VerticalAlignment::Center;
    };
    const auto wrap = [](model::CellAlignment& a) { a.wrap = true; };
    add(1, 2, 2, 0, centre); // 1 heading
    add(0, 0, 1, 164, none); // 2 amounts
    add(0, 0, 1, 14, none);  // 3 dates
    add(2, 0, 1, 10, none);  // 4 percentages in red
    add(3, 3, 1, 0, centre); // 5 large Japanese, filled
    add(4, 0, 1, 0, wrap);   // 6 wrapped, italic theme colour
    add(0, 1, 1, 165, none); // 7 long dates over a pattern
    add(0, 0, 1, 49, none);  // 8 text
    add(0, 2, 0, 2, none);   // 9 decimals, filled
    add(1, 0, 2, 3, none);   // 10 bold thousands
    add(0, 0, 1, 0, centre); // 11 centred text
    add(0, 0, 0, 0, none);   // 12 plain
}

std::unique_ptr<model::Workbook> makeBook(bool formatted)
{
    auto book = std::make_unique<model::Workbook>();
    if (formatted)
        addFormats(*book);
    auto sheet = std::make_unique<model::Sheet>();
    sheet->name = QStringLiteral("Sheet1");
    const QStringList words = {QStringLiteral("写真"), QStringLiteral("Photo album"),
                               QStringLiteral("入学式の記念撮影"), QStringLiteral("Total"),
                               QStringLiteral("桜の下で")};
    for (int r = 1; r <= kSheetRows; ++r)
        for (int c = 1; c <= kColumns; ++c) {
            model::Cell& cell = sheet->cells[{r, c}];
            const int style = 1 + (r * 7 + c * 3) % 12;
            cell.style = formatted ? style : 0;
            switch (style) {
            case 2:
            case 4:
            case 9:
            case 10:
                cell.kind = model::CellKind::Number;
                cell.number = (r * 1237.5 - c * 311.25) / (style == 4 ? 1000 : 1);
                break;
            case 3:
            case 7:
                cell.kind = model::CellKind::Number;
                cell.number = 45000 + r + c;
                break;
            default:
                cell.kind = model::CellKind::Text;
                cell.text = words[(r + c) % words.size()];
            }
        }
    for (int r = 1; r + 1 <= kSheetRows; r += 12) // a few merged areas
        sheet->merges.push_back(model::CellRect{r, 5, r + 1, 7});
    book->sheets.push_back(std::move(sheet));
    return book;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double fastest(const std::vector<double>& v)
{
    return v.empty() ? 0 : *std::min_element(v.begin(), v.end());
}

// Milliseconds per paint of each block, painting into one reused window-sized image.
std::vector<double> paintTimes(const model::Workbook& book,
                               const std::vector<model::CellRect>& blocks, QImage& target)
{
    std::vector<double> ms;
    for (const model::CellRect& block : blocks) {
        QElapsedTimer timer;
        timer.start();
        QPainter painter(&target);
        painter.scale(kPixelsPerPoint, kPixelsPerPoint);
        render::paintRange(painter, book, *book.sheets.front(), block);
        painter.end();
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const auto formatted = makeBook(true);
    const auto plain = makeBook(false);
    const model::CellRect view{1, 1, kRows, kColumns};
    const QRectF points = render::rangeRect(*formatted, *formatted->sheets.front(), view);
    QImage target(QSizeF(points.size() * kPixelsPerPoint).toSize() + QSize(2, 2),
                  QImage::Format_ARGB32_Premultiplied);

    const double first = paintTimes(*formatted, {view}, target).front();
    const std::vector<model::CellRect> same(100, view);
    std::vector<model::CellRect> scrolled;
    for (int i = 0; i < 60; ++i)
        scrolled.push_back(model::CellRect{1 + 3 * i, 1, kRows + 3 * i, kColumns});
    paintTimes(*plain, {view}, target); // fonts and glyphs warmed for the baseline too

    const std::vector<double> formattedSame = paintTimes(*formatted, same, target);
    const std::vector<double> plainSame = paintTimes(*plain, same, target);
    const std::vector<double> formattedScroll = paintTimes(*formatted, scrolled, target);
    const std::vector<double> plainScroll = paintTimes(*plain, scrolled, target);

    std::printf("block of %d rows x %d columns, %d x %d pixels\n", kRows, kColumns, target.width(),
                target.height());
    std::printf("first paint (looks resolved)  %8.2f ms\n", first);
    const auto row = [](const char* what, const std::vector<double>& with,
                        const std::vector<double>& without) {
        std::printf("%-30s median %7.2f ms (fastest %6.2f)   without formats %7.2f ms (fastest "
                    "%6.2f)   ratio %.2f\n",
                    what, median(with), fastest(with), median(without), fastest(without),
                    median(with) / median(without));
    };
    row("same block, 100 paints", formattedSame, plainSame);
    row("scrolling, 60 positions", formattedScroll, plainScroll);
    std::printf("frame budget 16 ms (median while scrolling): %s\n",
                median(formattedScroll) <= 16 ? "met" : "missed");
    return 0;
}
