#include "main/startup/commands.h"

#include "platform/message_box.h"

namespace picrows {

const CommandEntry* findCommand(std::span<const CommandEntry> table, const QString& word)
{
    for (const CommandEntry& c : table)
        if (word.compare(QLatin1String(c.word), Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

void showDialogNotAvailable(const char* form)
{
    platform::showMessage(QStringLiteral("この画面（%1）は、このバージョンではまだ使用できません。")
                              .arg(QLatin1String(form)),
                          platform::MsgButtons::OK, platform::MsgIcon::Critical,
                          platform::programTitle());
}

} // namespace picrows
