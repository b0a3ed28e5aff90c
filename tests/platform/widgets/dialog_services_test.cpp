#include "platform/widgets/dialog_services.h"

#include "platform/qt_translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace platform;

namespace {

// Acts on the message box as soon as it is open.
void whenBoxOpens(std::function<void(QMessageBox&)> act)
{
    QTimer::singleShot(0, [act = std::move(act)] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        act(*box);
    });
}

QList<QMessageBox::StandardButton> buttonsOf(QMessageBox& box)
{
    QList<QMessageBox::StandardButton> list;
    for (QAbstractButton* b : box.buttons())
        list << box.standardButton(b);
    std::sort(list.begin(), list.end());
    return list;
}

TEST(DialogMessages, ShowTextIconButtonsAndTitleAndAnswerTheClick)
{
    DialogMessages messages;
    bool checked = false;
    whenBoxOpens([&](QMessageBox& box) {
        EXPECT_EQ(box.windowTitle(), QStringLiteral("ピクロウアドイン"));
        EXPECT_EQ(box.text(), QStringLiteral("一行目\n二行目"));
        EXPECT_EQ(box.icon(), QMessageBox::Question);
        EXPECT_EQ(buttonsOf(box), (QList<QMessageBox::StandardButton>{
                                      QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}));
        EXPECT_EQ(static_cast<QAbstractButton*>(box.defaultButton()), box.button(QMessageBox::No));
        checked = true;
        box.button(QMessageBox::Cancel)->click();
    });
    EXPECT_EQ(messages.show({QStringLiteral("一行目\r\n二行目"), MsgButtons::YesNoCancel,
                             MsgIcon::Question, QStringLiteral("ピクロウアドイン"), 2}),
              MsgAnswer::Cancel);
    EXPECT_TRUE(checked);
}

TEST(DialogMessages, ClosingTheBoxAnswersCancelOrTheOnlyButton)
{
    DialogMessages messages;
    const std::pair<Message, MsgAnswer> cases[] = {
        {{QStringLiteral("a"), MsgButtons::OKCancel, MsgIcon::Exclamation, QStringLiteral("t")},
         MsgAnswer::Cancel},
        {{QStringLiteral("b"), MsgButtons::OK, MsgIcon::Critical, QStringLiteral("t")},
         MsgAnswer::OK},
        {{QStringLiteral("c"), MsgButtons::OK, MsgIcon::None, QStringLiteral("t")}, MsgAnswer::OK},
    };
    for (const auto& [message, answer] : cases) {
        whenBoxOpens([](QMessageBox& box) { box.reject(); });
        EXPECT_EQ(messages.show(message), answer) << message.text.toStdString();
    }
}

// Qt's own buttons speak Japanese like the rest of the suite once its texts are loaded.
TEST(QtTranslations, StandardButtonsAndMessageBoxesShowJapaneseTexts)
{
    ASSERT_TRUE(installQtTranslations());
    EXPECT_TRUE(installQtTranslations()); // a second call keeps the one translator
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes |
                         QDialogButtonBox::No);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    EXPECT_EQ(box.button(QDialogButtonBox::Yes)->text(), QStringLiteral("はい(&Y)"));
    EXPECT_EQ(box.button(QDialogButtonBox::No)->text(), QStringLiteral("いいえ(&N)"));
    DialogMessages messages;
    whenBoxOpens([](QMessageBox& shown) {
        EXPECT_EQ(shown.button(QMessageBox::Cancel)->text(), QStringLiteral("キャンセル"));
        shown.reject();
    });
    messages.show({QStringLiteral("a"), MsgButtons::OKCancel, MsgIcon::None, QStringLiteral("t")});
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM",
                "offscreen"); // test discovery runs without the test's environment
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
