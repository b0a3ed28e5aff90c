#include "main/engine/paste_info_writer.h"

#include "host/automation/host_error.h"
#include "host/xl/application.h"
#include "host/xl/picture.h"
#include "host/xl/range.h"
#include "host/xl/shape.h"
#include "host/xl/text_frame.h"
#include "host/xl/worksheet.h"
#include "main/engine/paste_info_text.h"
#include "main/engine/run_paste.h"
#include "main/engine/screen_units.h"
#include "platform/message_box.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>

#include <cmath>

namespace picrows {

namespace {

constexpr std::int32_t kAlignLeft = -4131;
constexpr std::int32_t kAlignRight = -4152;
constexpr std::int32_t kAlignCenter = -4108;
constexpr std::int32_t kAlignTop = -4160;
constexpr std::int32_t kColorIndexAutomatic = -4105;
constexpr int kDefaultFontPixels = 16; // the desktop's default font is 16 pixels high
constexpr int kDotsPerMeter96 = 3780;

double toCurrency(double value)
{
    return std::nearbyint(value * 10000) / 10000;
}

QSizeF textExtentPixels(const QString& text)
{
    if (QGuiApplication::instance() != nullptr) {
        QFont font;
        font.setPixelSize(kDefaultFontPixels);
        QImage probe(1, 1, QImage::Format_ARGB32);
        probe.setDotsPerMeterX(kDotsPerMeter96);
        probe.setDotsPerMeterY(kDotsPerMeter96);
        const QFontMetricsF metrics(font, &probe);
        return {std::ceil(metrics.horizontalAdvance(text)), std::ceil(metrics.height())};
    }
    // No fonts without a GUI application: a character cell per byte of the text in a
    // double-byte code page.
    qsizetype bytes = 0;
    for (const QChar c : text)
        bytes += c.unicode() < 0x80 ? 1 : 2;
    return {double(bytes) * kDefaultFontPixels / 2, double(kDefaultFontPixels)};
}

void writeIntoCell(const xl::Application& app, const RunOptions& options, const QString& path,
                   const xl::Range& target)
{
    std::int32_t x = options.glngPasteInfo_X;
    std::int32_t y = options.glngPasteInfo_Y;
    // Positive offsets count from the far edge of a multi-cell target.
    if (x > 0 && target.Count() > 0)
        x += target.Columns().Count() - 1;
    if (y > 0)
        y += target.Rows().Count() - 1;
    const xl::Range cell = target.Cells(1, 1).Offset(y, x);
    if (cell.Value().toString() != QString()) {
        const platform::MsgAnswer answer = platform::showMessage(
            QStringLiteral("パスを貼り付けようとしているセルに、すでに値または数式が入力されてい"
                           "ます。") +
                QStringLiteral("\r\n") + QStringLiteral("上書きしますか？"),
            platform::MsgButtons::YesNo, platform::MsgIcon::Exclamation, platform::programTitle());
        if (answer == platform::MsgAnswer::No)
            return;
    }
    const QString text = f_GetPasteInfoText(app, path, options.gstrPasteInfo_Value);
    if (text.isEmpty())
        return;
    app.setEnableEvents(false);
    try {
        cell.setValue(host::Variant(text));
    } catch (const host::HostError&) {
    }
    app.setEnableEvents(true);
}

void writeIntoTextBox(const xl::Application& app, const RunOptions& options, const QString& path,
                      const xl::Picture& picture)
{
    const QString text = f_GetPasteInfoText(app, path, options.gstrPasteInfo_Value);
    if (text.isEmpty())
        return;
    const QSizeF size = measurePasteInfoText(text);
    const double w = size.width();
    const double h = size.height();
    const double pl = picture.Left();
    const double pt = picture.Top();
    const double pw = picture.Width();
    const double ph = picture.Height();
    double left = 0;
    double top = 0;
    std::int32_t alignment = kAlignLeft;
    switch (options.gintPasteInfo_Point) {
    case 0:
        left = pl;
        top = pt + ph - h;
        break;
    case 1:
        left = pl + pw - w;
        top = pt + ph - h;
        alignment = kAlignRight;
        break;
    case 2:
        left = pl + (pw - w) / 2;
        top = pt + (ph - h) / 2;
        alignment = kAlignCenter;
        break;
    case 3:
        left = pl;
        top = pt;
        break;
    case 4:
        left = pl + pw - w;
        top = pt;
        alignment = kAlignRight;
        break;
    default:
        break;
    }
    const xl::Worksheet sheet = app.ActiveSheet();
    const xl::Shape box = sheet.Shapes().AddTextbox(1, left, top, w, h);
    const xl::TextFrame frame = box.TextFrame();
    frame.Characters().setText(text);
    frame.setHorizontalAlignment(alignment);
    frame.setVerticalAlignment(kAlignTop);
    frame.setAutoSize(true);
    box.Fill().setVisible(false);
    box.Line().setVisible(false);
    frame.setMarginLeft(0);
    frame.setMarginRight(0);
    frame.setMarginTop(0);
    frame.setMarginBottom(0);
    const xl::Font font = frame.Characters().Font();
    font.setName(options.Textbox_Fontname);
    font.setSize(options.Textbox_Fontsize);
    // The stored 0 is the settings dialog's "自動", which the host calls automatic.
    font.setColorIndex(options.Textbox_ColorIndex == 0 ? kColorIndexAutomatic
                                                       : options.Textbox_ColorIndex);
    font.setStrikethrough(false);
    font.setSuperscript(false);
    font.setSubscript(false);
    font.setOutlineFont(false);
    font.setShadow(false);
    if (options.gblnPasteInfo_Group)
        sheet.Shapes().Range(QStringList{box.Name(), picture.Name()}).Group();
}

} // namespace

QSizeF measurePasteInfoText(const QString& text)
{
    const QSizeF pixels = textExtentPixels(text);
    return {toCurrency(pixels.width() * kTwipsPerPixel / 1440 * 72 + 2),
            toCurrency(pixels.height() * kTwipsPerPixel / 1440 * 72 + 2)};
}

void s_WritePasteInfo(const xl::Application& app, const RunOptions& options, const QString& path,
                      const xl::Picture& picture, const xl::Range& target)
{
    if (options.gintPasteInfo_Type == 0)
        writeIntoCell(app, options, path, target);
    else if (options.gintPasteInfo_Type == 1)
        writeIntoTextBox(app, options, path, picture);
}

} // namespace picrows
