#pragma once

#include "host/xl/application.h"
#include "host/xl/picture.h"
#include "host/xl/range.h"
#include "host/xl/shape.h"
#include "host/xl/worksheet.h"
#include "main/engine/run_outcome.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace picrows {

class c_Setting;
class StatusPanel;

// The options one insertion run works with. The first group is what the insertion dialog
// copies in at the start of every run (from its controls; `from` takes the stored values);
// the second group are settings the engine reads while placing each picture.
struct RunOptions
{
    // Size mode: 0 stretch, 1 fit inside, 2 fill and crop automatically, 3 fill and crop by
    // hand. A run may change it no more than the dialog does: never.
    std::int32_t glngPasteSize = 0;
    // Reference point: 0 bottom-left, 1 bottom-right, 2 centre, 3 top-left, 4 top-right. A
    // picture that cannot be cropped in a fill mode switches it to 2 for the rest of the run.
    std::int32_t glngPastePoint = 0;
    bool gblnPasteInfo = false;
    QString gstrPasteInfo_Value;
    std::int16_t gintPasteInfo_Type = 0; // 0 into a cell, 1 as a text box
    std::int32_t glngPasteInfo_X = 0;
    std::int32_t glngPasteInfo_Y = 0;
    std::int16_t gintPasteInfo_Point = 0; // text-box corner, numbered as glngPastePoint
    bool gblnPasteInfo_Group = false;

    bool InsertSyukusyou = false;
    std::int16_t InsertSyukusyou_Bairitsu = 0;
    bool InsertCutTrimming = false;
    bool InsertCutTrimming_NotAuto = false;
    bool Rotate_ApiMode = false;
    QString Textbox_Fontname;
    double Textbox_Fontsize = 0;
    std::int16_t Textbox_ColorIndex = 0;

    // Every field from the stored settings of the same stem.
    static RunOptions from(const c_Setting& setting);
};

// How the manual fill (size mode 3) ended; see ManualFill.
enum class ManualFillOutcome
{
    Fitted,    // the picture covers the target; `picture` may be a new object
    FitInside, // cannot crop: f_RunPaste warns, switches to the centre and fits inside
    AutoFill,  // no image to trim: the caller has reported and set the centre; fill automatically
    Dropped,   // the picture is gone (deleted by the fill); f_RunPaste answers none
};

struct ManualFillResult
{
    ManualFillOutcome outcome = ManualFillOutcome::FitInside;
    xl::Picture picture; // the picture from now on (Fitted)
    double angle = 0;    // the trimming angle rounded to 2 decimals (Fitted), for resampling
    // The untouched size from now on (Fitted; 0 keeps the one f_RunPaste read): a picture
    // replaced by its turned copy has the copy's.
    double uw = 0;
    double uh = 0;
    bool cancelled = false; // Dropped because the user cancelled the trimming dialog
};

// The seam for size mode 3: the trimming dialog's fill of one picture and its finishing step
// (colour and screen refresh after resampling). The engine owns neither the dialog nor the
// trimming record; whoever builds the run supplies this. Without one, size mode 3 fills
// automatically as size mode 2 does.
class ManualFill
{
public:
    virtual ~ManualFill();
    // `uw`, `uh` are the untouched size f_RunPaste read; `options.glngPastePoint` may be set
    // to 2 by the fill.
    virtual ManualFillResult fill(const xl::Application& app, const xl::Picture& picture,
                                  const xl::Range& target, bool canCrop, double uw, double uh,
                                  const QString& path, RunOptions& options) = 0;
    virtual void finish(const xl::Application& app, const xl::Picture& picture) = 0;
};

// One insertion run: the host, its options, and the services a run uses beyond the platform's
// own (message boxes and key state are the platform's service slots: platform::showMessage,
// platform::F_GetKeyPushed). The runner owns this for the length of a run.
struct PasteRun
{
    xl::Application app;
    RunOptions options;
    ManualFill* manualFill = nullptr;   // size mode 3; may be null
    StatusPanel* statusPanel = nullptr; // for the runners' progress; may be null
    // Set by every f_RunPaste: the user cancelled the trimming dialog (the run must stop and
    // the file stays listed).
    bool trimmingCancelled = false;
    // Set by every f_RunPaste that a host error ended: the host would not take the picture's
    // remains off the sheet, so the file counts as placed (the runner takes it off the list).
    bool failedPictureStays = false;
    // Set by every f_RunPaste: the file the host refused and its reason, before the
    // "読み込みエラー" message is shown (for callers that name the file).
    std::optional<RefusedFile> refusal;
};

// Inserts one picture file into the active sheet and fits it to `target` (a cell or merged
// area); with a Nothing target (host-standard mode) the picture stays where the host put it,
// cascaded 10 points right and down per `sequence` after the first. Fits by the size mode and
// reference point, re-pastes at reduced resolution or without its cropped parts when the
// settings ask for it, and writes the paste-info text. Answers the picture that now stands in
// the target, or Nothing when the host refused the file (after "読み込みエラー") or the
// picture was dropped. Host errors outside the caught places reach the caller, after the
// shapes made for this picture have been deleted (see PasteRun::failedPictureStays).
xl::Picture f_RunPaste(PasteRun& run, const QString& path, const xl::Range& target,
                       double sequence);

// Inserts the file on the active sheet (replaced by an embedded copy on version 14 and later),
// selects it and answers it, with `canCrop` from the host's trimming state; Nothing (no
// message) when the host refuses the file, with the host's reason in `refusal` when given.
xl::Picture f_InsertPictureFile(const xl::Application& app, const QString& path, bool& canCrop,
                                QString* refusal = nullptr);

// The sheet's most recently added shape that is not a cell comment, or Nothing.
xl::Shape m_GetLastAddShape(const xl::Worksheet& sheet);

} // namespace picrows
