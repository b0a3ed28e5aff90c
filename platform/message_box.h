#pragma once

#include "platform/service_slot.h"

#include <QString>

#include <cstdio>
#include <deque>
#include <functional>
#include <iosfwd>
#include <vector>

namespace platform {

// The title of every message box of the main program and the menu add-in.
QString programTitle(); // "ピクロウアドイン"

// The title a message box carries when its caller names none: the running program's name.
QString defaultMessageTitle();

// Button sets and answers keep the numbering of the message box they stand in for.
enum class MsgButtons
{
    OK = 0,
    OKCancel = 1,
    AbortRetryIgnore = 2,
    YesNoCancel = 3,
    YesNo = 4,
    RetryCancel = 5
};
enum class MsgIcon
{
    None = 0,
    Critical = 16,
    Question = 32,
    Exclamation = 48,
    Information = 64
};
enum class MsgAnswer
{
    OK = 1,
    Cancel = 2,
    Abort = 3,
    Retry = 4,
    Ignore = 5,
    Yes = 6,
    No = 7
};

// One modal message: the text (lines joined with CR LF, as the callers build them), the
// buttons, the icon and the title. `defaultButton` counts the buttons from 1.
struct Message
{
    QString text;
    MsgButtons buttons = MsgButtons::OK;
    MsgIcon icon = MsgIcon::None;
    QString title;
    int defaultButton = 1;

    friend bool operator==(const Message&, const Message&) = default;
};

// Test output: a message as title, icon, buttons and text.
void PrintTo(const Message& message, std::ostream* out);

// The answers a button set offers, in button order.
std::vector<MsgAnswer> answersOf(MsgButtons buttons);
// The answer of the default button (the first button when the number is out of range).
MsgAnswer defaultAnswer(const Message& message);

QString toString(MsgButtons buttons); // "OK", "YesNo", …
QString toString(MsgIcon icon);       // "none", "error", "question", "exclamation", "information"
QString toString(MsgAnswer answer);   // "OK", "Yes", …

// Shows a message modally and answers the button that closed it.
class MessageService
{
public:
    virtual ~MessageService();
    virtual MsgAnswer show(const Message& message) = 0;
};

// The message service in place; without one, messages are printed (PrintingMessages).
MessageService& messageService();
MessageService* exchangeMessageService(MessageService* service);
using ScopedMessageService = ScopedService<MessageService, &exchangeMessageService>;

// Shows a message through the service in place.
MsgAnswer showMessage(const Message& message);
MsgAnswer showMessage(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title);

// For tests: records every message and answers from a script; once the script is used up,
// every message is answered with its default button.
class ScriptedMessages : public MessageService
{
public:
    MsgAnswer show(const Message& message) override;

    void answerNext(MsgAnswer answer) { m_answers.push_back(answer); }

    const std::vector<Message>& shown() const { return m_shown; }
    void clear() { m_shown.clear(); }

private:
    std::vector<Message> m_shown;
    std::deque<MsgAnswer> m_answers;
};

// For the batch command: prints each message as "title: [icon] text" (CR LF as new lines)
// to a stream and answers through `decide`, by default with the default button.
class PrintingMessages : public MessageService
{
public:
    using Decide = std::function<MsgAnswer(const Message&)>;
    explicit PrintingMessages(std::FILE* out = stderr, Decide decide = {});
    MsgAnswer show(const Message& message) override;

private:
    std::FILE* m_out;
    Decide m_decide;
};

} // namespace platform
