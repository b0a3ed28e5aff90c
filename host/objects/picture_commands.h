#pragma once

#include <QStringList>

namespace host::objects {

class Application;
class CommandBars;

// The host's picture commands as the command bars and the ribbon reach them.

// Exactly one picture is selected on the active sheet: the crop command is available.
bool pictureCropEnabled(const Application& app);
// At least one picture is selected on the active sheet.
bool pictureSelected(const Application& app);
// Reset Picture on every selected picture: no crop, no rotation, 100 % of the untouched size
// with the top-left corner kept, colours unadjusted. Raises when no picture is selected or the
// drawing is protected.
void resetSelectedPictures(Application& app);
// The font families the font box lists; none while drawing objects are selected.
QStringList fontBoxEntries(const Application& app);

// The built-in controls for pictures: 1362 Reset Picture, 732 Crop, 1728 the font box.
void addPictureControls(CommandBars& bars);
inline constexpr int kControlResetPicture = 1362;
inline constexpr int kControlCrop = 732;
inline constexpr int kControlFontBox = 1728;

// CommandBars.ExecuteMso / GetEnabledMso for the picture commands ("PictureReset",
// "PictureCrop"); other names are refused.
void executeMso(Application& app, const QString& idMso);
bool getEnabledMso(const Application& app, const QString& idMso);

} // namespace host::objects
