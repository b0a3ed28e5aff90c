// The "savepic" command as the command line runs it: the file name comes from the host's own
// save dialog (Application.GetSaveAsFilename), which the host application supplies.
#include "main/save_picture/save_picture_command.h"
#include "main/startup/startup_context.h"
#include "platform/message_box.h"
#include "tests/host/objects/shape_test_support.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>

namespace {

using namespace objects_test;

class SavePicHostDialog : public ShapeTest
{
protected:
    SavePicHostDialog() : m_messagesInPlace(messages)
    {
        QGuiApplication::clipboard()->clear();
        picrows::startupContext().gobjXlApp = app;
        m_host.options().saveAsDialog = [this](const host::objects::SaveAsQuestion& question) {
            questions.push_back(question);
            interactiveWhileAsked = app.Interactive();
            return answer;
        };
        range("B2:D5").Select();
    }
    ~SavePicHostDialog() override
    {
        picrows::startupContext().gobjXlApp = xl::Application();
        QGuiApplication::clipboard()->clear();
    }

    platform::ScriptedMessages messages;
    std::vector<host::objects::SaveAsQuestion> questions;
    QString answer;
    bool interactiveWhileAsked = true;

private:
    platform::ScopedMessageService m_messagesInPlace;
};

TEST_F(SavePicHostDialog, TheFileIsTheOneTheHostsSaveDialogNames)
{
    range("B2").setValue(host::Variant(q("写真の見出し")));
    answer = m_dir.filePath(q("選択範囲.jpg"));
    picrows::s_Command_Tool_SavePic();

    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].initialFileName, QString());
    EXPECT_EQ(questions[0].fileFilter,
              q("meta (*.emf),*.emf,bitmap (*.bmp),*.bmp,jpeg (*.jpg),*.jpg"));
    EXPECT_EQ(questions[0].filterIndex, 3);
    EXPECT_EQ(questions[0].title, q("ピクロウアドイン - 画像の保存"));
    EXPECT_FALSE(interactiveWhileAsked);
    EXPECT_TRUE(app.Interactive());
    EXPECT_TRUE(messages.shown().empty());

    QImageReader reader(answer);
    EXPECT_EQ(reader.format(), QByteArray("jpeg"));
    const QImage saved = reader.read();
    ASSERT_FALSE(saved.isNull());
    // The cells as the host renders them at 96 dots per inch, 4 points to 3 pixels.
    const xl::Range cells = range("B2:D5");
    EXPECT_NEAR(saved.width(), cells.Width() / 0.75, 1.5);
    EXPECT_NEAR(saved.height(), cells.Height() / 0.75, 1.5);
    // The heading's dark text is in the picture.
    int dark = 0;
    for (int y = 0; y < saved.height(); ++y)
        for (int x = 0; x < saved.width(); ++x)
            dark += qGray(saved.pixel(x, y)) < 100 ? 1 : 0;
    EXPECT_GT(dark, 10);

    // Cancelled: the host answers False, and nothing is written.
    answer.clear();
    const QString emf = m_dir.filePath(q("none.emf"));
    picrows::s_Command_Tool_SavePic();
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_FALSE(QFileInfo::exists(emf));
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_TRUE(app.Interactive());
}

} // namespace
