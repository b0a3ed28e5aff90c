#include "main/startup/help_command.h"

#include "main/startup/program_paths.h"
#include "platform/message_box.h"
#include "platform/shell.h"

namespace picrows {

void s_Command_Help()
{
    QString path = helpFilePath();
    if (!f_CheckDirFile(path)) {
        path = helpFileFallbackPath();
        if (!f_CheckDirFile(path)) {
            platform::showMessage(
                QStringLiteral("ヘルプファイル ") + path + QStringLiteral(" が見つかりません。"),
                platform::MsgButtons::OK, platform::MsgIcon::Critical, platform::programTitle());
            return;
        }
    }
    platform::shell().open(path);
}

} // namespace picrows
