#pragma once

namespace platform {

// Loads Qt's own Japanese texts (standard buttons, file dialogs, context menus of text
// fields) into the running application, so that the dialogs Qt draws speak the same language
// as ours. False when the translations are not installed; the texts then stay English.
bool installQtTranslations();

} // namespace platform
