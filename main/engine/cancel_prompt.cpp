#include "main/engine/cancel_prompt.h"

#include "platform/event_pump.h"
#include "platform/key_state.h"
#include "platform/message_box.h"

namespace picrows {

bool f_CancelRequested()
{
    platform::letPendingEventsRun();
    if (!platform::F_GetKeyPushed(platform::vk::Escape))
        return false;
    return platform::showMessage(QStringLiteral("読み込みをキャンセルしますか？"),
                                 platform::MsgButtons::YesNo, platform::MsgIcon::Question,
                                 platform::programTitle()) == platform::MsgAnswer::Yes;
}

} // namespace picrows
