#pragma once

#include "host/xl/range.h"

#include <QStringList>

#include <cstdint>
#include <vector>

namespace picrows {

class c_Setting;

// The settings the scan reads.
struct TargetScanOptions
{
    bool OneCellOnePaste = false; // one picture per cell; else one per area
    bool UnPaste_Lock = false;
    bool UnPaste_Value = false;
    bool UnPaste_Size = false;
    std::int16_t UnPaste_Size_Width = 0;  // points
    std::int16_t UnPaste_Size_Height = 0; // points

    static TargetScanOptions from(const c_Setting& setting);
};

// The reasons of an exclusion entry (the text after its tab).
namespace reason {
inline const QString Hidden = QStringLiteral("非表示");
inline const QString ZeroSize = QStringLiteral("０サイズ");
inline const QString Locked = QStringLiteral("ロック");
inline const QString Value = QStringLiteral("値代入");
inline const QString TooLarge = QStringLiteral("セル範囲過大");
inline const QString SizeLimit = QStringLiteral("サイズ制限");
} // namespace reason

struct TargetScanResult
{
    std::vector<xl::Range> TargetList; // one picture each, in insertion order
    QStringList ExclusionList;         // address + tab + reason
    bool cancelled = false;            // the user stopped the scan with Escape
};

// Turns the range a run received into targets and exclusions. `selected` is true in
// selected-cells mode (the lock, value and size tests run only then), false in click mode;
// `pictureCount` is the number of pictures still listed: the scan stops once it has found as
// many targets. Stops after 100 exclusion entries, and after an area that leaves 100
// exclusions in a row (with "連続する除外セルが多すぎます。"); in per-cell mode the user may
// cancel with Escape after each cell. Host errors reach the caller.
TargetScanResult f_ScanTargets(const xl::Range& range, bool selected, int pictureCount,
                               const TargetScanOptions& options);

} // namespace picrows
