#include "main/engine/target_scan.h"

#include "main/engine/cancel_prompt.h"
#include "main/settings/setting.h"
#include "platform/message_box.h"

#include <optional>

namespace picrows {

namespace {

constexpr int kExclusionLimit = 100;           // entries in the exclusion list
constexpr int kConsecutiveLimit = 100;         // exclusions in a row
constexpr std::int32_t kValueScanCells = 1000; // cells of an area the value test looks at

// True only for a plain True: Null (cells that disagree) does not exclude.
bool isTrue(const host::Variant& v)
{
    return !v.isNull() && v.toBool();
}

// The value test's "not empty text": anything but Empty or "".
bool hasValue(const host::Variant& v)
{
    if (v.isNull() || v.isEmpty())
        return false;
    if (v.type() == host::VarType::String)
        return !v.toString().isEmpty();
    return true;
}

class Scan
{
public:
    Scan(bool selected, int pictureCount, const TargetScanOptions& options)
        : m_selected(selected), m_pictureCount(pictureCount), m_options(options)
    {
    }

    TargetScanResult run(const xl::Range& range)
    {
        for (const xl::Range& area : range.Areas().items()) {
            const bool stop = m_options.OneCellOnePaste ? !scanCells(area) : !scanArea(area);
            if (stop || m_result.cancelled)
                break;
            if (int(m_result.TargetList.size()) >= m_pictureCount)
                break;
            if (m_consecutive >= kConsecutiveLimit) {
                platform::showMessage(QStringLiteral("連続する除外セルが多すぎます。\r\n"
                                                     "OKを押すと処理を中断します。"),
                                      platform::MsgButtons::OK, platform::MsgIcon::Critical,
                                      platform::programTitle());
                break;
            }
        }
        return std::move(m_result);
    }

private:
    // The first reason that excludes the candidate, in the order of the tests.
    std::optional<QString> exclusion(const xl::Range& c, bool wholeArea)
    {
        if (isTrue(c.EntireColumn().Hidden()) || isTrue(c.EntireRow().Hidden()))
            return reason::Hidden;
        const double width = c.Width();
        const double height = c.Height();
        if (width <= 0 || height <= 0)
            return reason::ZeroSize;
        if (!m_selected)
            return std::nullopt;
        if (m_options.UnPaste_Lock && isTrue(c.Locked()))
            return reason::Locked;
        if (m_options.UnPaste_Value) {
            if (!wholeArea) {
                if (hasValue(c.Value()))
                    return reason::Value;
            } else {
                const std::int32_t count = c.Count();
                for (std::int32_t i = 1; i <= count; ++i) {
                    if (hasValue(c.Item(i).Value()))
                        return reason::Value;
                    if (i >= kValueScanCells)
                        return reason::TooLarge;
                }
            }
        }
        if (m_options.UnPaste_Size &&
            (width < m_options.UnPaste_Size_Width || height < m_options.UnPaste_Size_Height))
            return reason::SizeLimit;
        return std::nullopt;
    }

    // Records the outcome for one candidate; true once the picture count is reached.
    bool accept(const xl::Range& c)
    {
        m_result.TargetList.push_back(c);
        m_consecutive = 0;
        return int(m_result.TargetList.size()) >= m_pictureCount;
    }
    void exclude(const xl::Range& c, const QString& why)
    {
        m_result.ExclusionList << c.Address() + u'\t' + why;
        ++m_consecutive;
    }

    // Per-cell mode over one area; false when the whole scan is over.
    bool scanCells(const xl::Range& area)
    {
        const std::int32_t count = area.Count();
        for (std::int32_t i = 1; i <= count; ++i) {
            const xl::Range c = area.Item(i);
            // Only the top-left cell of a merged range is a candidate.
            const bool coveredByMerge =
                isTrue(c.MergeCells()) && c.MergeArea().Item(1).Address() != c.Address();
            if (!coveredByMerge) {
                if (const auto why = exclusion(c, false)) {
                    exclude(c, *why);
                    if (m_result.ExclusionList.size() >= kExclusionLimit)
                        return true; // this area ends; the checks after it decide
                } else if (accept(c)) {
                    return false;
                }
            }
            if (f_CancelRequested()) {
                m_result.cancelled = true;
                return false;
            }
        }
        return true;
    }

    // Per-area mode: the area is one candidate; false when the whole scan is over.
    bool scanArea(const xl::Range& area)
    {
        if (const auto why = exclusion(area, true)) {
            exclude(area, *why);
            return m_result.ExclusionList.size() < kExclusionLimit;
        }
        accept(area);
        return true;
    }

    bool m_selected;
    int m_pictureCount;
    const TargetScanOptions& m_options;
    TargetScanResult m_result;
    std::int32_t m_consecutive = 0;
};

} // namespace

TargetScanOptions TargetScanOptions::from(const c_Setting& setting)
{
    TargetScanOptions options;
    options.OneCellOnePaste = setting.OneCellOnePaste;
    options.UnPaste_Lock = setting.UnPaste_Lock;
    options.UnPaste_Value = setting.UnPaste_Value;
    options.UnPaste_Size = setting.UnPaste_Size;
    options.UnPaste_Size_Width = setting.UnPaste_Size_Width;
    options.UnPaste_Size_Height = setting.UnPaste_Size_Height;
    return options;
}

TargetScanResult f_ScanTargets(const xl::Range& range, bool selected, int pictureCount,
                               const TargetScanOptions& options)
{
    return Scan(selected, pictureCount, options).run(range);
}

} // namespace picrows
