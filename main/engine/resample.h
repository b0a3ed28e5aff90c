#pragma once

#include "host/xl/shape.h"

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
// takes the old picture's place, size, visible part and rotation; a HEIC, HEIF, AVIF or WebP
// photograph goes the way of what the host stored it as (".jpg", or ".png" when it kept
// transparency). Answers the picture that now stands in the target: the copy, or `picture` when
// nothing was done or the paste was refused (after "図の縮小エラー"; the picture then gets its
// geometry back).
xl::Picture s_ResamplePicture(const xl::Application& app, const xl::Picture& picture,
                              const QString& path, const ResampleInput& input,
                              const RunOptions& options);

// Where a placed picture stands and which part of it shows: its rotation in whole degrees, its
// box in points, and its crops as fractions of the untouched size.
struct PictureGeometry
{
    std::int16_t rot = 0;
    double L = 0, T = 0, W = 0, H = 0;
    double cL = 0, cR = 0, cT = 0, cB = 0;
};
PictureGeometry readPictureGeometry(const xl::Picture& picture, double uw, double uh);

// What one copy-and-paste-back asks for.
struct RepasteRequest
{
    bool reduce = false; // copy at `factor` times the displayed, uncropped size
    double factor = 1;
    bool cut = false; // copy only the visible part (at the reduced or the untouched scale)
    QString format;   // the host's paste-format name
    // The copy's crops scale with its own size as pasted (true) or with the size the copy was
    // made at (false).
    bool cropsFromCopySize = false;
};

struct RepasteResult
{
    xl::Shape copy; // Nothing when the paste was refused
    double tW = 0;  // the untouched size the copy was made to have (measured, with
    double tH = 0;  // cropsFromCopySize, on version 12 and later)
};

// The re-paste technique: brings `picture` (untouched size uw × uh, standing as `g` says) to
// the size its copy is made at, copies it and pastes it back on the active sheet in
// `request.format`. A refused paste puts the picture's crops, rotation, size and place back and
// answers no copy. Otherwise the picture is deleted and the copy, the sheet's newest shape, is
// at 100 % of its own size (version 12 and later) with the old visible part cropped plus the
// copy's edge border; its rotation, size and place are the caller's to set.
RepasteResult f_RepastePicture(const xl::Application& app, const xl::Picture& picture, double uw,
                               double uh, const PictureGeometry& g, const RepasteRequest& request);

// Replaces a freshly inserted picture by an embedded copy (enhanced metafile for ".emf", else
// JPEG), so that it no longer stays linked to its file. True when `picture` now holds the copy;
// on any error a beep, and `picture` holds whichever picture it held when the error came.
bool f_UnLinkObjectInExcel2010(const xl::Application& app, xl::Picture& picture,
                               const QString& path);

} // namespace picrows
