#pragma once

#include <QString>
#include <QStringList>

namespace xl {
class Application;
class Picture;
} // namespace xl

namespace picrows {

// The numeric value of Application.Version ("14.0" gives 14).
int hostVersion(const xl::Application& app);

// Whether the host can crop the selected picture. Version 12 and later ask the ribbon add-in's
// object, then the macro workbook; when both fail the answer is false. Older hosts read the
// Crop control's Enabled state; when that fails the answer is true. Either failure shows
// "トリミング状態取得エラー".
bool f_GetTrimmingEnabled(const xl::Application& app);

// Tells the host which picture files come next, in order, so that it can read them ahead
// while the ones before are placed. A host without that ability is left alone.
void s_ReadAheadPictureFiles(const xl::Application& app, const QStringList& paths);

} // namespace picrows
