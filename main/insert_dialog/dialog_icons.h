#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

namespace picrows {

// The images of the insertion dialog's buttons, drawn here so that they need no files: the
// list buttons ("OPEN", "DEL", "UP", "DOWN"), the clipboard watch ("CLIP"), the mode buttons
// ("EXCELMODE", "SELECTEDMODE", "CLICKMODE", "CLICKMODE_CHECK"), "END", and the size modes
// ("PITTARI", "SUPPORI", "BISSIRI"). An unknown key gives an empty icon.
QIcon dialogIcon(const QString& key);

// `imlGo_Tips`: the explanatory picture of a mode button ("EXCELMODE", "SELECTEDMODE",
// "CLICKMODE"), all of kTipSize.
inline constexpr QSize kTipSize{232, 128};
QImage modeTipPicture(const QString& key);

} // namespace picrows
