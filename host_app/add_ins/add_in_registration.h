#pragma once

#include <QString>
#include <QStringList>

namespace host_app {

// The suite's add-ins as the add-in list registers them: the menu add-in
// "TORVA_Picrows.Connect" (TORVA_Picrows.so) and the ribbon add-in
// "TORVA_PicrowsFor2007.Connect2" (TORVA_PicrowsFor2007.so), both loaded at start-up.
// Each library is looked for beside the host program, then in the suite's installed folder
// "../lib/picrows" next to it; libraries found in neither are not registered.
// Answers the ProgIDs registered into the list at `listPath`.
QStringList registerSuiteAddIns(const QString& programFolder, const QString& listPath);

} // namespace host_app
