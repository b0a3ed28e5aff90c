#include "cli/insert_options.h"

#include "main/engine/paste_info_text.h"
#include "main/engine/run_paste.h"
#include "main/engine/run_selected.h"

#include <QCommandLineParser>

#include <optional>

namespace cli {

namespace {

const QStringList kSizes{QStringLiteral("stretch"), QStringLiteral("fit"), QStringLiteral("fill")};
const QStringList kPoints{QStringLiteral("bottom-left"), QStringLiteral("bottom-right"),
                          QStringLiteral("center"), QStringLiteral("top-left"),
                          QStringLiteral("top-right")};

QCommandLineOption valued(const char* name, const char* help, const char* value)
{
    return QCommandLineOption(QString::fromLatin1(name), QString::fromUtf8(help),
                              QString::fromLatin1(value));
}
QCommandLineOption flag(const char* name, const char* help)
{
    return QCommandLineOption(QString::fromLatin1(name), QString::fromUtf8(help));
}

// "X,Y" as two integers within [min, max].
std::optional<std::pair<int, int>> pairOf(const QString& text, int min, int max)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != 2)
        return std::nullopt;
    bool okX = false;
    bool okY = false;
    const int x = parts[0].trimmed().toInt(&okX);
    const int y = parts[1].trimmed().toInt(&okY);
    if (!okX || !okY || x < min || x > max || y < min || y > max)
        return std::nullopt;
    return std::pair{x, y};
}

} // namespace

void InsertOverrides::addTo(QCommandLineParser& parser)
{
    parser.addOption(valued("mode",
                            "selected (default): one picture per target cell; excel: "
                            "the host's own placement at the range's first cell.",
                            "MODE"));
    parser.addOption(valued("size", "stretch, fit or fill.", "MODE"));
    parser.addOption(valued("point",
                            "Reference point: bottom-left, bottom-right, center, "
                            "top-left or top-right.",
                            "POINT"));
    parser.addOption(QCommandLineOption(
        QStringLiteral("info"),
        QStringLiteral("Write this paste-info template beside each picture. Its keywords: ") +
            picrows::pasteInfoKeywords().join(QStringLiteral(", ")) +
            QStringLiteral(" (a SHOOTINGDATE is the photograph's own, from its EXIF, else the "
                           "file's modification date). A template starting with \"=\" is a "
                           "formula, the keywords string literals in it."),
        QStringLiteral("TEMPLATE")));
    parser.addOption(valued("info-cell",
                            "Paste-info into the cell at column and row offset "
                            "X,Y (-10…10).",
                            "X,Y"));
    parser.addOption(valued("info-textbox",
                            "Paste-info as a text box at this point of the "
                            "picture.",
                            "POINT"));
    parser.addOption(flag("group", "Group the paste-info text box with its picture."));
    parser.addOption(flag("one-per-cell", "One picture per cell."));
    parser.addOption(flag("one-per-area", "One picture per area of the range."));
    parser.addOption(flag("no-exclude", "Switch the stored lock, value and size tests off "
                                        "(the --exclude options then switch tests on again)."));
    parser.addOption(flag("exclude-locked", "Skip locked cells."));
    parser.addOption(flag("exclude-values", "Skip cells that hold a value."));
    parser.addOption(valued("exclude-smaller",
                            "Skip cells narrower than W or lower than H "
                            "points.",
                            "W,H"));
    parser.addOption(valued("reduce",
                            "Re-paste each picture at 1/FACTOR of the resolution "
                            "(1…10).",
                            "FACTOR"));
    parser.addOption(flag("no-reduce", "Keep each picture's resolution."));
    parser.addOption(flag("cut-trimming", "Cut away the cropped parts of each picture."));
    parser.addOption(flag("overwrite-info", "Overwrite a paste-info cell that holds a value."));
}

bool InsertOverrides::read(const QCommandLineParser& parser, QString& error)
{
    for (const char* name :
         {"mode", "size", "point", "info", "info-cell", "info-textbox", "group", "one-per-cell",
          "one-per-area", "no-exclude", "exclude-locked", "exclude-values", "exclude-smaller",
          "reduce", "no-reduce", "cut-trimming", "overwrite-info"})
        if (parser.isSet(QString::fromLatin1(name)))
            m_set << QString::fromLatin1(name);
    const auto given = [this](const char* name) { return m_set.contains(QLatin1String(name)); };
    const auto value = [&parser](const char* name) {
        return parser.value(QString::fromLatin1(name));
    };

    if (given("mode")) {
        if (value("mode") != QLatin1String("selected") && value("mode") != QLatin1String("excel")) {
            error = QStringLiteral("--mode takes selected or excel, not '%1'").arg(value("mode"));
            return false;
        }
        m_excelMode = value("mode") == QLatin1String("excel");
    }
    if (given("size") && (m_size = int(kSizes.indexOf(value("size")))) < 0) {
        error = QStringLiteral("--size takes stretch, fit or fill, not '%1'").arg(value("size"));
        return false;
    }
    if (given("point") && (m_point = int(kPoints.indexOf(value("point")))) < 0) {
        error = QStringLiteral("--point takes %1, not '%2'")
                    .arg(kPoints.join(QStringLiteral(", ")), value("point"));
        return false;
    }
    if (given("info-textbox") && (m_infoPoint = int(kPoints.indexOf(value("info-textbox")))) < 0) {
        error = QStringLiteral("--info-textbox takes %1, not '%2'")
                    .arg(kPoints.join(QStringLiteral(", ")), value("info-textbox"));
        return false;
    }
    if (given("info-cell") && given("info-textbox")) {
        error = QStringLiteral("--info-cell and --info-textbox exclude each other");
        return false;
    }
    if (given("group") && !given("info-textbox")) {
        error = QStringLiteral("--group goes with --info-textbox");
        return false;
    }
    if (given("one-per-cell") && given("one-per-area")) {
        error = QStringLiteral("--one-per-cell and --one-per-area exclude each other");
        return false;
    }
    if (given("reduce") && given("no-reduce")) {
        error = QStringLiteral("--reduce and --no-reduce exclude each other");
        return false;
    }
    m_info = value("info");
    if (given("info-cell")) {
        const auto xy = pairOf(value("info-cell"), -10, 10);
        if (!xy) {
            error = QStringLiteral("--info-cell takes X,Y between -10 and 10, not '%1'")
                        .arg(value("info-cell"));
            return false;
        }
        std::tie(m_infoX, m_infoY) = *xy;
    }
    if (given("exclude-smaller")) {
        const auto wh = pairOf(value("exclude-smaller"), 0, 32767);
        if (!wh) {
            error = QStringLiteral("--exclude-smaller takes W,H in points, not '%1'")
                        .arg(value("exclude-smaller"));
            return false;
        }
        std::tie(m_excludeWidth, m_excludeHeight) = *wh;
    }
    if (given("reduce")) {
        bool ok = false;
        m_reduce = value("reduce").toInt(&ok);
        if (!ok || m_reduce < 1 || m_reduce > 10) {
            error = QStringLiteral("--reduce takes a factor from 1 to 10, not '%1'")
                        .arg(value("reduce"));
            return false;
        }
    }
    m_overwriteInfo = given("overwrite-info");
    return true;
}

void InsertOverrides::applyTo(picrows::RunOptions& o, picrows::SelectedRunSettings& s) const
{
    const auto given = [this](const char* name) { return m_set.contains(QLatin1String(name)); };
    if (given("size"))
        o.glngPasteSize = m_size;
    if (given("point"))
        o.glngPastePoint = m_point;
    if (given("info")) {
        o.gblnPasteInfo = true;
        o.gstrPasteInfo_Value = m_info;
    }
    if (given("info-cell")) {
        o.gintPasteInfo_Type = 0;
        o.glngPasteInfo_X = m_infoX;
        o.glngPasteInfo_Y = m_infoY;
    }
    if (given("info-textbox")) {
        o.gintPasteInfo_Type = 1;
        o.gintPasteInfo_Point = std::int16_t(m_infoPoint);
        o.gblnPasteInfo_Group = given("group");
    }
    if (given("one-per-cell"))
        s.scan.OneCellOnePaste = true;
    if (given("one-per-area"))
        s.scan.OneCellOnePaste = false;
    if (given("no-exclude"))
        s.scan.UnPaste_Lock = s.scan.UnPaste_Value = s.scan.UnPaste_Size = false;
    if (given("exclude-locked"))
        s.scan.UnPaste_Lock = true;
    if (given("exclude-values"))
        s.scan.UnPaste_Value = true;
    if (given("exclude-smaller")) {
        s.scan.UnPaste_Size = true;
        s.scan.UnPaste_Size_Width = std::int16_t(m_excludeWidth);
        s.scan.UnPaste_Size_Height = std::int16_t(m_excludeHeight);
    }
    if (given("reduce")) {
        o.InsertSyukusyou = true;
        o.InsertSyukusyou_Bairitsu = std::int16_t(m_reduce);
    }
    if (given("no-reduce"))
        o.InsertSyukusyou = false;
    if (given("cut-trimming"))
        o.InsertCutTrimming = true;
}

} // namespace cli
