#include "platform/message_box.h"

#include <QCoreApplication>

#include <ostream>

namespace platform {

QString programTitle()
{
    return QStringLiteral("ピクロウアドイン");
}

QString defaultMessageTitle()
{
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("TORVA_PicrowsMain") : name;
}

std::vector<MsgAnswer> answersOf(MsgButtons buttons)
{
    using A = MsgAnswer;
    switch (buttons) {
    case MsgButtons::OK:
        return {A::OK};
    case MsgButtons::OKCancel:
        return {A::OK, A::Cancel};
    case MsgButtons::AbortRetryIgnore:
        return {A::Abort, A::Retry, A::Ignore};
    case MsgButtons::YesNoCancel:
        return {A::Yes, A::No, A::Cancel};
    case MsgButtons::YesNo:
        return {A::Yes, A::No};
    case MsgButtons::RetryCancel:
        return {A::Retry, A::Cancel};
    }
    return {A::OK};
}

MsgAnswer defaultAnswer(const Message& message)
{
    const std::vector<MsgAnswer> answers = answersOf(message.buttons);
    const int index = message.defaultButton - 1;
    return index >= 0 && index < int(answers.size()) ? answers[size_t(index)] : answers.front();
}

QString toString(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::OK:
        return QStringLiteral("OK");
    case MsgButtons::OKCancel:
        return QStringLiteral("OKCancel");
    case MsgButtons::AbortRetryIgnore:
        return QStringLiteral("AbortRetryIgnore");
    case MsgButtons::YesNoCancel:
        return QStringLiteral("YesNoCancel");
    case MsgButtons::YesNo:
        return QStringLiteral("YesNo");
    case MsgButtons::RetryCancel:
        return QStringLiteral("RetryCancel");
    }
    return {};
}

QString toString(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::None:
        return QStringLiteral("none");
    case MsgIcon::Critical:
        return QStringLiteral("error");
    case MsgIcon::Question:
        return QStringLiteral("question");
    case MsgIcon::Exclamation:
        return QStringLiteral("exclamation");
    case MsgIcon::Information:
        return QStringLiteral("information");
    }
    return {};
}

QString toString(MsgAnswer answer)
{
    switch (answer) {
    case MsgAnswer::OK:
        return QStringLiteral("OK");
    case MsgAnswer::Cancel:
        return QStringLiteral("Cancel");
    case MsgAnswer::Abort:
        return QStringLiteral("Abort");
    case MsgAnswer::Retry:
        return QStringLiteral("Retry");
    case MsgAnswer::Ignore:
        return QStringLiteral("Ignore");
    case MsgAnswer::Yes:
        return QStringLiteral("Yes");
    case MsgAnswer::No:
        return QStringLiteral("No");
    }
    return {};
}

void PrintTo(const Message& message, std::ostream* out)
{
    *out << "{title \"" << message.title.toStdString() << "\", "
         << toString(message.icon).toStdString() << ", " << toString(message.buttons).toStdString()
         << " (default " << message.defaultButton << "), \""
         << QString(message.text).replace(QStringLiteral("\r\n"), QStringLiteral("⏎")).toStdString()
         << "\"}";
}

MessageService::~MessageService() = default;

namespace {

MessageService*& installedMessages()
{
    static MessageService* service = nullptr;
    return service;
}

} // namespace

MessageService& messageService()
{
    if (MessageService* s = installedMessages())
        return *s;
    static PrintingMessages fallback;
    return fallback;
}

MessageService* exchangeMessageService(MessageService* service)
{
    return std::exchange(installedMessages(), service);
}

MsgAnswer showMessage(const Message& message)
{
    return messageService().show(message);
}

MsgAnswer showMessage(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title)
{
    return showMessage(Message{text, buttons, icon, title});
}

MsgAnswer ScriptedMessages::show(const Message& message)
{
    m_shown.push_back(message);
    if (m_answers.empty())
        return defaultAnswer(message);
    const MsgAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

PrintingMessages::PrintingMessages(std::FILE* out, Decide decide)
    : m_out(out), m_decide(std::move(decide))
{
}

MsgAnswer PrintingMessages::show(const Message& message)
{
    QString text = message.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QString line = message.title + QStringLiteral(": ");
    if (message.icon != MsgIcon::None)
        line += QLatin1Char('[') + toString(message.icon) + QStringLiteral("] ");
    line += text;
    const MsgAnswer answer = m_decide ? m_decide(message) : defaultAnswer(message);
    if (message.buttons != MsgButtons::OK)
        line += QStringLiteral(" → ") + toString(answer);
    std::fprintf(m_out, "%s\n", line.toUtf8().constData());
    std::fflush(m_out);
    return answer;
}

} // namespace platform
