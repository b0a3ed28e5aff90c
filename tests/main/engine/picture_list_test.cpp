// The picture list a run consumes, and how dropped files and folders fill it.
#include "main/engine/picture_drop.h"
#include "main/engine/picture_list.h"
#include "main/engine/status_panel.h"
#include "platform/key_state.h"
#include "platform/message_box.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using picrows::PictureList;
using platform::Message;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

QString q(const char* text)
{
    return QString::fromUtf8(text);
}

class RecordingStatus : public picrows::StatusPanel
{
public:
    void setText(const QString& text) override { texts << text; }
    void reset() override { texts << q("<reset>"); }
    QStringList texts;
};

class RecordingListener : public PictureList::Listener
{
public:
    void appended(const QString& path) override { events << q("+") + path; }
    void firstRemoved() override { events << q("-first"); }
    void removed(int index) override { events << q("-") + QString::number(index); }
    void reordered() override { events << q("order"); }
    QStringList events;
};

TEST(PictureList, RemoveFastListTakesEntriesFromTheTop)
{
    PictureList list;
    RecordingListener listener;
    list.setListener(&listener);
    EXPECT_TRUE(list.append(q("/p/a.jpg")));
    EXPECT_TRUE(list.append(q("/p/b.jpg")));
    EXPECT_TRUE(list.append(q("/p/a.jpg"))); // the same file twice is inserted twice
    EXPECT_EQ(list.first(), q("/p/a.jpg"));
    list.RemoveFastList();
    EXPECT_EQ(list.paths(), (QStringList{q("/p/b.jpg"), q("/p/a.jpg")}));
    list.move(1, 0);
    EXPECT_EQ(list.first(), q("/p/a.jpg"));
    list.removeAt(0);
    list.RemoveFastList();
    EXPECT_TRUE(list.isEmpty());
    list.RemoveFastList(); // nothing left: nothing happens
    EXPECT_EQ(listener.events, (QStringList{q("+/p/a.jpg"), q("+/p/b.jpg"), q("+/p/a.jpg"),
                                            q("-first"), q("order"), q("-0"), q("-first")}));
}

TEST(PictureList, HoldsAtMost32767Entries)
{
    PictureList list;
    QStringList many;
    for (int i = 0; i < PictureList::kMaxEntries; ++i)
        many << q("x.png");
    list.setPaths(many);
    EXPECT_EQ(list.count(), 32767);
    EXPECT_FALSE(list.append(q("y.png")));
    EXPECT_EQ(list.count(), 32767);
    list.RemoveFastList();
    EXPECT_TRUE(list.append(q("y.png")));
}

// A folder tree on disk with the services of the dialog scripted.
class Drop : public ::testing::Test
{
protected:
    Drop() : messagesInPlace(messages), keysInPlace(keys) {}

    QString path(const char* relative) const { return dir.filePath(q(relative)); }
    void touch(const char* relative) const
    {
        const QString p = path(relative);
        QDir().mkpath(QFileInfo(p).path());
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    void folder(const char* relative) const { QDir().mkpath(path(relative)); }

    QStringList relativePaths() const
    {
        QStringList out;
        for (const QString& p : list.paths())
            out << QDir(dir.path()).relativeFilePath(p);
        return out;
    }

    QTemporaryDir dir;
    PictureList list;
    RecordingStatus status;
    platform::ScriptedMessages messages;
    platform::ScriptedKeys keys;
    platform::ScopedMessageService messagesInPlace;
    platform::ScopedKeyState keysInPlace;
};

TEST_F(Drop, AddsPicturesAndFoldersInDropOrderAndFoldersInNameOrder)
{
    touch("single.JPG");
    touch("notes.txt");
    touch("root/b.JPG");
    touch("root/a.png");
    touch("root/C.gif");
    touch("root/readme.txt");
    touch("root/sub2/x.png");
    touch("root/sub1/z.bmp");
    touch("root/sub1/y.jpg");
    touch("root/sub1/deeper/w.png");
    touch("root/onlyfolders/inner/p.png"); // a folder without files of its own is not searched
    folder("pics.jpg");                    // a folder with a picture's name counts as a picture

    picrows::s_AddDroppedItems(
        {path("single.JPG"), path("notes.txt"), path("root"), path("pics.jpg"), path("single.JPG")},
        list, status);

    EXPECT_EQ(relativePaths(),
              (QStringList{q("single.JPG"), q("root/a.png"), q("root/b.JPG"), q("root/C.gif"),
                           q("root/sub1/y.jpg"), q("root/sub1/z.bmp"), q("root/sub1/deeper/w.png"),
                           q("root/sub2/x.png"), q("pics.jpg"), q("single.JPG")}));
    EXPECT_TRUE(messages.shown().empty());
    ASSERT_GE(status.texts.size(), 4);
    EXPECT_EQ(status.texts[0], q("現在、1/5 を解析中...(ESCでキャンセル)"));
    EXPECT_EQ(status.texts[1], q("現在、2/5 を解析中...(ESCでキャンセル)"));
    EXPECT_EQ(status.texts[2], q("現在、3/5 を解析中...(ESCでキャンセル)"));
    EXPECT_EQ(status.texts[3], q("現在、root を解析中...(ESCでキャンセル)"));
    EXPECT_TRUE(status.texts.contains(q("現在、deeper を解析中...(ESCでキャンセル)")));
    EXPECT_FALSE(status.texts.contains(q("現在、inner を解析中...(ESCでキャンセル)")));
    EXPECT_EQ(status.texts.back(), q("<reset>"));
}

TEST_F(Drop, AFolderWithOnlySubfoldersAddsNothing)
{
    touch("top/a/one.png");
    touch("top/b/two.png");
    EXPECT_TRUE(picrows::f_AddFolder(path("top"), list, status));
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(status.texts,
              (QStringList{q("現在、top を解析中...(ESCでキャンセル)"), q("<reset>")}));
}

// Escape held while a large folder is read: the question comes after every 100th file.
TEST_F(Drop, EscapeDuringAFolderOffersToCancelAfterEveryHundredFiles)
{
    for (int i = 0; i < 250; ++i)
        touch(QStringLiteral("big/%1.png").arg(i, 3, 10, QLatin1Char('0')).toUtf8().constData());
    touch("later.png");
    keys.held.insert(platform::vk::Escape);
    messages.answerNext(MsgAnswer::No);
    messages.answerNext(MsgAnswer::Yes);

    picrows::s_AddDroppedItems({path("big"), path("later.png")}, list, status);

    // Cancelled after the 200th file: what was added stays, the rest of the drop is not read.
    EXPECT_EQ(list.count(), 200);
    EXPECT_EQ(relativePaths().back(), q("big/199.png"));
    const Message question{q("読み込みをキャンセルしますか？"), MsgButtons::YesNo,
                           MsgIcon::Question, platform::programTitle()};
    const Message cancelled{q("キャンセルしました。"), MsgButtons::OK, MsgIcon::Information,
                            platform::programTitle()};
    EXPECT_EQ(messages.shown(), (std::vector<Message>{question, question, cancelled}));
    EXPECT_EQ(status.texts.back(), q("<reset>"));
}

TEST_F(Drop, EscapeBetweenDroppedItemsStopsTheDrop)
{
    touch("one.png");
    touch("two.png");
    keys.held.insert(platform::vk::Escape);
    messages.answerNext(MsgAnswer::Yes);
    picrows::s_AddDroppedItems({path("one.png"), path("two.png")}, list, status);
    EXPECT_EQ(relativePaths(), QStringList{q("one.png")});
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, q("読み込みをキャンセルしますか？"));
}

TEST_F(Drop, ADropWithoutFilesLeavesTheStatusAlone)
{
    picrows::s_AddDroppedItems({}, list, status);
    EXPECT_TRUE(list.isEmpty());
    EXPECT_TRUE(status.texts.isEmpty());
}

} // namespace
