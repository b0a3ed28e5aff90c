#include "platform/event_pump.h"
#include "platform/key_state.h"
#include "platform/message_box.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace platform;

namespace {

TEST(MessageBox, ScriptedAnswersComeFirstThenTheDefaultButton)
{
    ScriptedMessages script;
    ScopedMessageService scope(script);
    script.answerNext(MsgAnswer::No);

    const Message question{QStringLiteral("上書きしますか？"), MsgButtons::YesNo, MsgIcon::Question,
                           programTitle(), 2};
    EXPECT_EQ(showMessage(question), MsgAnswer::No); // scripted
    EXPECT_EQ(showMessage(question), MsgAnswer::No); // default button 2 of Yes/No
    EXPECT_EQ(showMessage(QStringLiteral("a"), MsgButtons::AbortRetryIgnore, MsgIcon::Critical,
                          QStringLiteral("t")),
              MsgAnswer::Abort);
    ASSERT_EQ(script.shown().size(), 3u);
    EXPECT_EQ(script.shown()[0], question);
    EXPECT_EQ(script.shown()[2].icon, MsgIcon::Critical);
    EXPECT_EQ(script.shown()[2].title, QStringLiteral("t"));
}

TEST(MessageBox, DefaultButtonOutOfRangeFallsBackToTheFirst)
{
    const std::pair<Message, MsgAnswer> cases[] = {
        {{{}, MsgButtons::OKCancel, MsgIcon::None, {}, 2}, MsgAnswer::Cancel},
        {{{}, MsgButtons::OKCancel, MsgIcon::None, {}, 3}, MsgAnswer::OK},
        {{{}, MsgButtons::YesNoCancel, MsgIcon::None, {}, 3}, MsgAnswer::Cancel},
        {{{}, MsgButtons::RetryCancel, MsgIcon::None, {}, 0}, MsgAnswer::Retry},
    };
    for (const auto& [message, answer] : cases)
        EXPECT_EQ(defaultAnswer(message), answer) << toString(message.buttons).toStdString();
}

TEST(MessageBox, PrintingServiceWritesOneLinePerMessage)
{
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    PrintingMessages printer(out, [](const Message& m) {
        return m.buttons == MsgButtons::YesNo ? MsgAnswer::Yes : defaultAnswer(m);
    });
    EXPECT_EQ(printer.show({QStringLiteral("一行目\r\n二行目"), MsgButtons::OK, MsgIcon::Critical,
                            programTitle()}),
              MsgAnswer::OK);
    EXPECT_EQ(printer.show({QStringLiteral("続けますか"), MsgButtons::YesNo, MsgIcon::None,
                            QStringLiteral("T")}),
              MsgAnswer::Yes);
    std::rewind(out);
    std::string text;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, out))
        text += buffer;
    std::fclose(out);
    EXPECT_EQ(QString::fromStdString(text),
              QStringLiteral("ピクロウアドイン: [error] 一行目\n二行目\nT: 続けますか → Yes\n"));
}

class CountingPump : public EventPump
{
public:
    void run() override { ++runs; }
    int runs = 0;
};

TEST(Services, ScopesNestAndRestoreThePreviousService)
{
    ScriptedKeys outer;
    outer.held.insert(vk::Escape);
    CountingPump pump;
    {
        ScopedKeyState outerScope(outer);
        ScopedEventPump pumpScope(pump);
        EXPECT_TRUE(F_GetKeyPushed(vk::Escape));
        {
            ScriptedKeys inner; // nothing held
            ScopedKeyState innerScope(inner);
            EXPECT_FALSE(F_GetKeyPushed(vk::Escape));
            letPendingEventsRun();
        }
        EXPECT_TRUE(F_GetKeyPushed(vk::Escape));
        outer.held.erase(vk::Escape); // released before the question
        EXPECT_FALSE(F_GetKeyPushed(vk::Escape));
        letPendingEventsRun();
    }
    EXPECT_EQ(pump.runs, 2);
    EXPECT_NE(&keyStateSource(), &outer);
    EXPECT_NE(&eventPump(), &pump);
}

} // namespace
