// Opening, saving and closing workbooks from the window: dialogs, drops, recent files and
// the question about unsaved changes.
#include "tests/host_app/host_app_support.h"

#include "host/objects/built_in_bars.h"
#include "host/objects/command_bars.h"
#include "host_app/command_bar_view.h"

#include <QAction>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>

using namespace host_app_test;
using host::Variant;
using platform::MsgAnswer;

namespace {

class WorkbookCommandsTest : public HostAppTest
{
protected:
    // A copy of the sample album in the test's folder, to be changed and saved.
    QString albumCopy(const char* name = "album.xlsx")
    {
        const QString path = dir.filePath(q(name));
        QFile::remove(path);
        QFile::copy(sourcePath("samples/photo_album.xlsx"), path);
        QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }
    void trigger(int id)
    {
        window.commandBars().actionsFor(id).front()->trigger();
        settle();
    }
};

TEST_F(WorkbookCommandsTest, OpenThroughTheDialogAndFromRecentFiles)
{
    const QString path = albumCopy();
    dialogs.openAnswer = {path};
    trigger(host::objects::kControlOpen);
    EXPECT_EQ(app.ActiveWorkbook().FullName(), path);
    EXPECT_EQ(recent.files(), QStringList{path});

    app.ActiveWorkbook().call(q("Close"));
    settle();
    EXPECT_EQ(window.mdiArea().subWindowList().size(), 0);

    // The File menu lists it; choosing it opens it again.
    QMenu* file = window.menuBar()->actions().front()->menu();
    Q_EMIT file->aboutToShow();
    QAction* entry = nullptr;
    for (QAction* a : file->actions())
        if (a->text().endsWith(path))
            entry = a;
    ASSERT_NE(entry, nullptr);
    entry->trigger();
    settle();
    EXPECT_EQ(app.ActiveWorkbook().FullName(), path);

    // A file that cannot be opened is reported.
    dialogs.openAnswer = {dir.filePath(q("missing.xlsx"))};
    trigger(host::objects::kControlOpen);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.shown().front().text.startsWith(q("'missing.xlsx' を開けません。")));
}

TEST_F(WorkbookCommandsTest, DroppedWorkbookFilesOpen)
{
    const QString path = albumCopy();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path), QUrl::fromLocalFile(dir.filePath(q("x.png")))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    settle();
    EXPECT_EQ(app.ActiveWorkbook().FullName(), path);
    EXPECT_EQ(openBooks(), 1);
}

TEST_F(WorkbookCommandsTest, SavingANewWorkbookAsksWhereAndSavesThere)
{
    app.Workbooks().Add();
    app.ActiveSheet().Range(q("A1")).setValue(Variant(q("saved")));
    settle();
    const QString target = dir.filePath(q("new.xlsx"));
    dialogs.saveAsAnswer = target;
    trigger(host::objects::kControlSave);
    EXPECT_EQ(dialogs.asked, 1);
    EXPECT_EQ(dialogs.lastSuggested, q("Book1.xlsx"));
    EXPECT_TRUE(QFile::exists(target));
    EXPECT_EQ(app.ActiveWorkbook().FullName(), target);
    EXPECT_TRUE(app.ActiveWorkbook().get(q("Saved")).toBool());
    settle();
    EXPECT_EQ(window.mdiArea().activeSubWindow()->windowTitle(), q("new.xlsx"));

    // Saved once, Save asks nothing more.
    app.ActiveSheet().Range(q("A2")).setValue(Variant(1.0));
    trigger(host::objects::kControlSave);
    EXPECT_EQ(dialogs.asked, 1);
    EXPECT_TRUE(app.ActiveWorkbook().get(q("Saved")).toBool());
}

struct CloseCase
{
    const char* name;
    MsgAnswer answer;
    bool closed;
    bool written;
};

class ClosingChanged : public WorkbookCommandsTest, public ::testing::WithParamInterface<CloseCase>
{
};

TEST_P(ClosingChanged, TheQuestionDecides)
{
    const CloseCase& c = GetParam();
    const QString path = albumCopy();
    const QByteArray original = [&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    window.workbookCommands().open({path});
    app.ActiveSheet().Range(q("F1")).setValue(Variant(q("changed")));
    settle();
    messages.answerNext(c.answer);
    window.mdiArea().activeSubWindow()->close(); // the window's close button
    settle();

    ASSERT_EQ(messages.shown().size(), 1u);
    const platform::Message& asked = messages.shown().front();
    EXPECT_EQ(asked.text, q("'album.xlsx' への変更を保存しますか?"));
    EXPECT_EQ(asked.buttons, platform::MsgButtons::YesNoCancel);
    EXPECT_EQ(asked.icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(asked.title, q("album.xlsx - Picrows Host"));

    EXPECT_EQ(openBooks(), c.closed ? 0 : 1) << c.name;
    EXPECT_EQ(window.mdiArea().subWindowList().size(), c.closed ? 0 : 1) << c.name;
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    EXPECT_EQ(f.readAll() != original, c.written) << c.name;
    if (c.written) {
        const xl::Workbook reopened = app.Workbooks().Open(path);
        EXPECT_EQ(reopened.Worksheets(1).Range(q("F1")).Value(), Variant(q("changed")));
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, ClosingChanged,
                         ::testing::Values(CloseCase{"Yes", MsgAnswer::Yes, true, true},
                                           CloseCase{"No", MsgAnswer::No, true, false},
                                           CloseCase{"Cancel", MsgAnswer::Cancel, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WorkbookCommandsTest, AnUnchangedWorkbookClosesWithoutAQuestion)
{
    window.workbookCommands().open({albumCopy()});
    settle();
    trigger(host::objects::kControlClose);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(openBooks(), 0);
}

TEST_F(WorkbookCommandsTest, QuittingAsksForEachChangedWorkbookAndCancelKeepsTheWindow)
{
    window.workbookCommands().open({albumCopy("a.xlsx")});
    app.ActiveSheet().Range(q("F1")).setValue(Variant(1.0));
    app.Workbooks().Add();
    settle();
    messages.answerNext(MsgAnswer::No);
    messages.answerNext(MsgAnswer::Cancel);
    app.ActiveSheet().Range(q("A1")).setValue(Variant(1.0));
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(openBooks(), 1);
}

} // namespace
