#include "main/controls/not_available.h"

#include "platform/message_box.h"

namespace picrows {

void s_ShowNotAvailableYet(const QString& routine)
{
    platform::showMessage(
        QStringLiteral("このコマンド（%1）は、このバージョンではまだ使用できません。").arg(routine),
        platform::MsgButtons::OK, platform::MsgIcon::Critical, platform::programTitle());
}

} // namespace picrows
