#pragma once

class QDialog;

namespace picrows {

// Shows a dialog of the main program and returns its result when it has closed, holding back
// the user's input to the program's other windows meanwhile — modal within the program, but
// not for the window manager. A dialog marked modal (QDialog::exec, setModal) would be
// announced to the window manager as modal, and window managers then block its owner: the
// host's main window in another process, where the user must go on selecting cells while the
// insertion dialog is open.
int showModal(QDialog& dialog);

// The dialog shown by the innermost showModal that is still open; none when there is none.
QDialog* currentModalDialog();

} // namespace picrows
