#pragma once

namespace picrows {

// The check long loops make after each step: let pending events run, then, while Escape is
// held, ask "読み込みをキャンセルしますか？" (question icon, Yes and No, program title).
// True when the user answered Yes.
bool f_CancelRequested();

} // namespace picrows
