#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace xl {
class Application;
class Picture;
} // namespace xl

namespace picrows {

struct RunOptions;

// The paste format a re-paste uses: the enhanced metafile for a picture turned in the trimming
// dialog while rotations are drawn by the program (`angle` ≠ 0 and `rotateApiMode`), else by
// the file's ending; none for an ending the host has no equivalent format for.
std::optional<QString> resamplePasteFormat(const QString& path, double angle, bool rotateApiMode);

// Everything the resampling step needs of the picture just placed.
struct ResampleInput
{
    double uw = 0; // untouched size
    double uh = 0;
    bool canCrop = false;
    double angle = 0; // trimming angle rounded to 2 decimals; 0 unless the trimming dialog ran
};

// Replaces the placed picture by a re-pasted copy when the options ask for a reduced
// resolution (InsertSyukusyou) or for the cropped parts to go (InsertCutTrimming). The copy
// takes the old picture's place, size, visible part and rotation. Answers the picture that now
// stands in the target: the copy, or `picture` when nothing was done or the paste was refused
// (after "図の縮小エラー"; the picture then gets its geometry back).
xl::Picture s_ResamplePicture(const xl::Application& app, const xl::Picture& picture,
                              const QString& path, const ResampleInput& input,
                              const RunOptions& options);

// Replaces a freshly inserted picture by an embedded copy (enhanced metafile for ".emf", else
// JPEG), so that it no longer stays linked to its file. True when `picture` now holds the copy;
// on any error a beep, and `picture` holds whichever picture it held when the error came.
bool f_UnLinkObjectInExcel2010(const xl::Application& app, xl::Picture& picture,
                               const QString& path);

} // namespace picrows
