#pragma once

namespace picrows {

// Asks whether the attached host is in a state the calling command can work in. The tests
// that the caller switches on run in this order and the first that fails shows its message
// (error icon, OK, program title) and answers false:
//   blnNeedBook            a workbook, an enabled control 748, an active sheet, an active
//                          window and a selection exist
//   blnNotMinimized        the active window is not minimised
//   blnNotEditing          control 18 is enabled (no cell is being edited)
//   blnOneSheet            no more than one sheet is selected
//   blnDrawingUnprotected  the active sheet does not protect its drawing objects
//   blnContentsUnprotected the active sheet does not protect its contents
//   blnNeedPicture         the selection is not a cell range
//   blnNeedCells           the selection is a cell range; with blnFixSelection an object
//                          selection is first replaced by the current region of the cells
// Without an attached host the message is "不明なエラー". Host errors other than those of
// the selection repair reach the caller.
bool f_CheckAndMessageOfExcelStates(bool blnNeedBook, bool blnNotMinimized, bool blnNotEditing,
                                    bool blnOneSheet, bool blnDrawingUnprotected,
                                    bool blnContentsUnprotected, bool blnNeedPicture,
                                    bool blnNeedCells, bool blnFixSelection);

// Replaces an object selection by the current region of the active sheet's cells without
// raising the host's selection events; every error is ignored.
void s_FixSelectionToCells();

} // namespace picrows
