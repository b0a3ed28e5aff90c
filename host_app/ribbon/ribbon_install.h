#pragma once

namespace host_app {

class AddInLoader;
class MainWindow;
class RibbonWidget;

// For hosts of version 12 and later: puts a ribbon at the top of the window in place of the
// menu bar and toolbars, with the markup of every connected add-in that customises it. Below
// 12 nothing changes and the answer is null.
RibbonWidget* installRibbon(MainWindow& window, AddInLoader& addIns);

} // namespace host_app
