#pragma once

#include "platform/message_box.h"
#include "platform/widgets/dialog_services.h"

class QWidget;

namespace picrows {

// While a dialog of the main program is open, the message boxes it shows come up over it:
// the dialog becomes the owner of the message service's boxes, and `after` (the dialog that
// opened it, or none) when it closes. A service that shows no dialogs (tests, the batch
// command) is left alone.
class MessageOwner
{
public:
    explicit MessageOwner(QWidget* owner, QWidget* after = nullptr)
        : m_messages(dynamic_cast<platform::DialogMessages*>(&platform::messageService())),
          m_after(after)
    {
        if (m_messages)
            m_messages->setOwner(owner);
    }
    ~MessageOwner()
    {
        if (m_messages)
            m_messages->setOwner(m_after);
    }
    MessageOwner(const MessageOwner&) = delete;
    MessageOwner& operator=(const MessageOwner&) = delete;

private:
    platform::DialogMessages* m_messages;
    QWidget* m_after;
};

} // namespace picrows
