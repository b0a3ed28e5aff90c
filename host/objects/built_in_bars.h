#pragma once

namespace host::objects {

class Application;
class CommandBars;

// The host's own commands and the bars they stand on: the worksheet menu bar (CommandBars(1)),
// the Standard, Formatting and Picture toolbars and the picture context menu, with the
// built-in controls the suite and people look for. Commands that need the host application's
// windows (open, save, close, quit) do nothing until it supplies them.
void addBuiltInBars(CommandBars& bars);

// Built-in control Ids beyond those of command_bars.h and picture_commands.h.
inline constexpr int kControlOpen = 23;
inline constexpr int kControlSave = 3;
inline constexpr int kControlClose = 106;
inline constexpr int kControlExit = 752;
inline constexpr int kControlNewButton = 2520; // the toolbar's New, a blank workbook
inline constexpr int kControlArrange = 298;
inline constexpr int kControlZoomBox = 1733;
inline constexpr int kControlInsertPictureFromFile = 2619;

// Commands of the host application's window (HostOptions::windowCommandEnabled).
inline constexpr int kControlUndo = 128;
inline constexpr int kControlRedo = 129;

inline constexpr int kMenuFile = 30002;
inline constexpr int kMenuEdit = 30003;
inline constexpr int kMenuInsert = 30005;
inline constexpr int kMenuInsertPicture = 30180;
inline constexpr int kMenuWindow = 30009;

// The picture files the open dialog of the options chooses, inserted at the active cell of the
// active sheet and selected; refused files are named in the host error raised after the
// others went in. Nothing happens when the user cancels.
void insertPicturesFromFiles(Application& app);

} // namespace host::objects
