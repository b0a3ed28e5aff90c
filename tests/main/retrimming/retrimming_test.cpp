// Re-trimming pictures of a workbook LibreOffice wrote, on the in-process host: the state the
// dialog starts from, the new crop with the picture's box kept (also once saved and opened
// again), several pictures with the cancel question, the refusals, and the real dialog.
#include "main/retrimming/retrimming.h"

#include "host/automation/member_table.h"
#include "host/objects/host.h"
#include "host/render/clipboard.h"
#include "host/render/clipboard_service.h"
#include "host/xl/xl.h"
#include "macro_workbook/macro_workbook.h"
#include "main/commands/command_table.h"
#include "main/controls/modal_loop.h"
#include "main/startup/commands.h"
#include "main/startup/startup_context.h"
#include "main/trimming_dialog/frm_trimming.h"
#include "main/trimming_dialog/trimming_preview.h"
#include "platform/message_box.h"
#include "tests/main/engine/scripted_trimming.h"

#include <QApplication>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using engine_test::ScriptedTrimming;
using platform::Message;
using platform::MsgAnswer;

QString q(const char* text)
{
    return QString::fromUtf8(text);
}

Message titled(const char* text, platform::MsgIcon icon,
               platform::MsgButtons buttons = platform::MsgButtons::OK)
{
    return {q(text), buttons, icon, q("ピクロウアドイン")};
}

// The ribbon add-in's answer whether the host lets the selection be cropped: the add-in asks
// the host, and the in-process host only crops one picture at a time. A fixed answer stands in
// where a test needs another.
struct CropAnswer : host::TableDispatch<CropAnswer>
{
    explicit CropAnswer(bool answer) : allowed(answer) {}
    bool allowed;
    QString className() const override { return q("Connect2"); }
    static const host::MemberTable<CropAnswer>& members()
    {
        static const host::MemberTable<CropAnswer> table = [] {
            host::MemberTable<CropAnswer> t;
            t.member(
                q("CallForExe_GetTrimmingEnabled"), {}, 0,
                [](CropAnswer& a, const host::BoundArgs&) { return host::Variant(a.allowed); });
            return t;
        }();
        return table;
    }
};

struct Box
{
    double left, top, width, height;
    double cl, cr, ct, cb;
};

Box boxOf(const xl::ShapeBase& shape)
{
    const xl::PictureFormat crop = shape.PictureFormat();
    return {shape.Left(),    shape.Top(),      shape.Width(),  shape.Height(),
            crop.CropLeft(), crop.CropRight(), crop.CropTop(), crop.CropBottom()};
}

void expectBox(const Box& actual, const Box& expected, const char* what)
{
    // The command keeps the box in single precision.
    EXPECT_NEAR(actual.left, expected.left, 1e-4) << what;
    EXPECT_NEAR(actual.top, expected.top, 1e-4) << what;
    EXPECT_NEAR(actual.width, expected.width, 1e-4) << what;
    EXPECT_NEAR(actual.height, expected.height, 1e-4) << what;
    EXPECT_NEAR(actual.cl, expected.cl, 1e-9) << what;
    EXPECT_NEAR(actual.cr, expected.cr, 1e-9) << what;
    EXPECT_NEAR(actual.ct, expected.ct, 1e-9) << what;
    EXPECT_NEAR(actual.cb, expected.cb, 1e-9) << what;
}

class ReTrimming : public ::testing::Test
{
protected:
    ReTrimming() : m_messagesInPlace(messages)
    {
        m_host.options().clipboard = host::render::makeProcessClipboard();
        m_host.registerAddInWorkbook(picrows::macroWorkbook());
        book =
            app.Workbooks().Open(q(PICROWS_SOURCE_DIR "/tests/fixtures/libreoffice_pictures.xlsx"));
        book.Worksheets(q("Pictures")).Activate();
        picrows::startupContext().gobjXlApp = app;
        io.trimming = &trimming;
        m_clipboard = host::render::clipboardService(m_host.options().clipboard);
        io.clipboard = m_clipboard.get();
        io.beep = [this] { ++beeps; };
    }
    ~ReTrimming() override { picrows::startupContext().clear(); }

    xl::Worksheet sheet() const { return app.ActiveSheet(); }
    xl::Picture straight() const { return sheet().Pictures().Item(q("Straight")); }
    void allowCrop(bool allowed)
    {
        m_host.registerComAddIn(q("TORVA_PicrowsFor2007.Connect2"), q("ribbon"),
                                std::make_shared<CropAnswer>(allowed));
    }
    // A picture file of w × h pixels (w × h × 0.75 points) inserted at `cell`, cropped.
    xl::Picture insert(const char* cell, int w, int h, double cropLeft)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(QColor::fromHsv((w * 7) % 360, 200, 220));
        const QString path = m_dir.filePath(QStringLiteral("p%1.png").arg(w));
        image.save(path);
        sheet().Range(q(cell)).Select();
        const xl::Picture picture = sheet().Pictures().Insert(path);
        picture.ShapeRange().PictureFormat().setCropLeft(cropLeft);
        return picture;
    }

    host::objects::Host m_host;
    std::unique_ptr<platform::Clipboard> m_clipboard;
    xl::Application app{m_host.application()};
    xl::Workbook book;
    ScriptedTrimming trimming;
    picrows::ReTrimmingIo io;
    int beeps = 0;
    platform::ScriptedMessages messages;
    QTemporaryDir m_dir;

private:
    platform::ScopedMessageService m_messagesInPlace;
};

TEST(ReTrimmingState, TheVisiblePartsProportionAndTheCropsAsFractions)
{
    const picrows::TrimmingState s = picrows::reTrimmingState(300, 200, 30, 30, 0, 0);
    EXPECT_DOUBLE_EQ(s.dblAspect, 1.2);
    EXPECT_DOUBLE_EQ(s.dblCropLeft, 0.1);
    EXPECT_DOUBLE_EQ(s.dblCropRight, 0.1);
    EXPECT_EQ(s.dblCropTop, 0);
    EXPECT_EQ(s.dblCropBottom, 0);
    EXPECT_FALSE(s.blnCancel);
}

TEST_F(ReTrimming, TheNewCropKeepsThePicturesPlaceAndSize)
{
    // Untouched 120 × 60, shown 145.5 × 51.2 (not in proportion), not cropped.
    straight().Select();
    const Box before = boxOf(straight().ShapeRange());
    trimming.answers = {ScriptedTrimming::confirm(0.1, 0.2, 0.05, 0.15)};
    trimming.during = [this] { EXPECT_FALSE(app.Interactive()); };
    picrows::s_ReTrimming(io);

    ASSERT_EQ(trimming.seen.size(), 1u);
    EXPECT_TRUE(trimming.seen[0].retrimming);
    EXPECT_DOUBLE_EQ(trimming.seen[0].aspect, 2.0);
    EXPECT_EQ(trimming.seen[0].points, QSizeF(120, 60));
    EXPECT_EQ(trimming.seen[0].given.dblCropLeft, 0);
    const Box expected{before.left, before.top, before.width, before.height, 12, 24, 3, 9};
    expectBox(boxOf(straight().ShapeRange()), expected, "on the sheet");
    EXPECT_TRUE(app.Interactive());
    EXPECT_TRUE(app.ScreenUpdating());
    EXPECT_EQ(app.Selection().TypeName(), q("Picture"));
    EXPECT_EQ(sheet().Shapes().Count(), 1); // the capture's duplicate is gone
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(beeps, 0);

    // Saved and opened again.
    const QString saved = m_dir.filePath(q("retrimmed.xlsx"));
    book.SaveAs(saved);
    host::objects::Host other;
    const xl::Workbook reopened = xl::Application(other.application()).Workbooks().Open(saved);
    expectBox(boxOf(reopened.Worksheets(q("Pictures")).Shapes().Item(q("Straight"))), expected,
              "saved");
}

TEST_F(ReTrimming, TheDialogStartsFromTheCurrentCropAndACancelChangesNothing)
{
    const xl::ShapeRange shape = straight().ShapeRange();
    shape.PictureFormat().setCropLeft(12);
    shape.PictureFormat().setCropRight(24);
    straight().Select();
    const Box before = boxOf(shape);
    trimming.answers = {ScriptedTrimming::cancel()};
    picrows::s_ReTrimming(io);
    ASSERT_EQ(trimming.seen.size(), 1u);
    EXPECT_DOUBLE_EQ(trimming.seen[0].aspect, 84.0 / 60);
    EXPECT_DOUBLE_EQ(trimming.seen[0].given.dblCropLeft, 0.1);
    EXPECT_DOUBLE_EQ(trimming.seen[0].given.dblCropRight, 0.2);
    expectBox(boxOf(shape), before, "cancelled");
    EXPECT_TRUE(messages.shown().empty()); // one picture: no question
}

// Three pictures selected: one dialog each, in selection order; cancelling one of them asks
// whether to cancel all.
TEST_F(ReTrimming, SeveralPicturesInTurnWithTheCancelQuestion)
{
    const Message question = titled("全ての再トリミングをキャンセルしますか？",
                                    platform::MsgIcon::Question, platform::MsgButtons::YesNo);
    const struct
    {
        const char* what;
        int cancelled;             // which dialog is cancelled (1-based)
        MsgAnswer answer;          // to the question
        int dialogs;               // how many opened
        std::vector<bool> changed; // which pictures got the new crop
        bool asked;
    } cases[] = {
        {"second, go on", 2, MsgAnswer::No, 3, {true, false, true}, true},
        {"second, cancel all", 2, MsgAnswer::Yes, 2, {true, false, false}, true},
        {"last", 3, MsgAnswer::Yes, 3, {true, true, false}, false},
    };
    allowCrop(true);
    for (const auto& c : cases) {
        const std::vector<xl::Picture> pictures = {
            insert("H2", 80, 40, 6), insert("H10", 120, 40, 9), insert("H20", 60, 60, 0)};
        QStringList names;
        for (const xl::Picture& p : pictures)
            names << p.Name();
        sheet().Shapes().Range(names).Select();
        ASSERT_EQ(app.Selection().TypeName(), q("DrawingObjects"));
        std::vector<Box> before;
        for (const xl::Picture& p : pictures)
            before.push_back(boxOf(p.ShapeRange()));

        trimming.seen.clear();
        trimming.answers.clear();
        for (int i = 1; i <= 3; ++i)
            trimming.answers.push_back(i == c.cancelled
                                           ? ScriptedTrimming::cancel()
                                           : ScriptedTrimming::confirm(0.25, 0, 0, 0.25));
        messages.clear();
        messages.answerNext(c.answer);
        picrows::s_ReTrimming(io);

        ASSERT_EQ(int(trimming.seen.size()), c.dialogs) << c.what;
        for (int i = 0; i < c.dialogs; ++i)
            EXPECT_EQ(trimming.seen[size_t(i)].points,
                      QSizeF(boxOf(pictures[size_t(i)].ShapeRange()).width + before[size_t(i)].cl,
                             before[size_t(i)].height))
                << c.what << " dialog " << i + 1; // untouched sizes, in selection order
        EXPECT_EQ(messages.shown(),
                  c.asked ? std::vector<Message>{question} : std::vector<Message>{})
            << c.what;
        for (size_t i = 0; i < pictures.size(); ++i) {
            const Box after = boxOf(pictures[i].ShapeRange());
            const double uw = trimming.seen.size() > i ? trimming.seen[i].points.width() : 0;
            if (c.changed[i]) {
                EXPECT_NEAR(after.cl, 0.25 * uw, 1e-9) << c.what << " picture " << i + 1;
                EXPECT_NEAR(after.left, before[i].left, 1e-4) << c.what << " picture " << i + 1;
                EXPECT_NEAR(after.width, before[i].width, 1e-4) << c.what << " picture " << i + 1;
            } else {
                expectBox(after, before[i], c.what);
            }
        }
        for (const xl::Picture& p : pictures)
            p.Delete();
    }
}

TEST_F(ReTrimming, RefusalsAndSelectionsThatAreNoPicture)
{
    const Message noPicture =
        titled("画像が選択されていない状態では実行できません。", platform::MsgIcon::Critical);
    const Message cannotCrop = titled("この画像は、エクセルの仕様により、トリミングできません。",
                                      platform::MsgIcon::Exclamation);
    const QString picture = straight().Name();
    const QString second = insert("H2", 80, 40, 0).Name();
    const QString textBox = sheet().Shapes().AddTextbox(1, 300, 20, 80, 30).Name();
    const auto select = [this](QStringList names) {
        return [this, names] { sheet().Shapes().Range(names).Select(); };
    };
    const struct
    {
        const char* what;
        std::function<void()> select;
        std::optional<bool> addIn; // the add-in's answer; none: the host's own
        std::vector<Message> shown;
        int beeps;
        size_t dialogs;
    } cases[] = {
        {"cells", [&] { sheet().Range(q("B2")).Select(); }, std::nullopt, {noPicture}, 0, 0},
        {"the host cannot crop", select({picture}), false, {cannotCrop}, 0, 0},
        // The host crops one picture at a time.
        {"two pictures, the host's own answer",
         select({picture, second}),
         std::nullopt,
         {cannotCrop},
         0,
         0},
        {"a text box", select({textBox}), true, {}, 1, 0},
        {"a text box first", select({textBox, picture}), true, {}, 0, 0},
        {"a picture, then a text box", select({picture, textBox}), true, {}, 0, 1},
    };
    for (const auto& c : cases) {
        // Without an object of its own the add-in leaves the answer to the macro workbook,
        // which asks the host.
        m_host.registerComAddIn(q("TORVA_PicrowsFor2007.Connect2"), q("ribbon"),
                                c.addIn ? std::make_shared<CropAnswer>(*c.addIn) : nullptr);
        c.select();
        messages.clear();
        trimming.seen.clear();
        trimming.answers = {ScriptedTrimming::confirm(0, 0, 0, 0)};
        beeps = 0;
        picrows::s_ReTrimming(io);
        EXPECT_EQ(messages.shown(), c.shown) << c.what;
        EXPECT_EQ(beeps, c.beeps) << c.what;
        EXPECT_EQ(trimming.seen.size(), c.dialogs) << c.what;
    }
}

TEST_F(ReTrimming, TheWordRetrimmingRunsTheCommand)
{
    const picrows::CommandEntry* entry =
        picrows::findCommand(picrows::commandTable(), q("ReTrimming"));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->run, &picrows::s_Command_ReTrimming);
}

// The real dialog: the user pulls the frame in from a corner and confirms.
TEST_F(ReTrimming, TheTrimmingDialogCropsInThePicturesProportion)
{
    io.trimming = nullptr;
    straight().Select();
    const Box before = boxOf(straight().ShapeRange());
    bool answered = false;
    // The capture lets pending events run before the dialog opens: wait until it shows.
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        auto* dialog = qobject_cast<picrows::frmTrimming*>(picrows::currentModalDialog());
        if (!dialog || !dialog->isVisible())
            return;
        poll.stop();
        EXPECT_EQ(dialog->cmdOK()->text(), q("再トリミング(&R)"));
        EXPECT_FALSE(dialog->fraRotate()->isVisible());
        picrows::TrimmingPreview* preview = dialog->picMain();
        const QPoint from = preview->handleRect(picrows::Corner::RightBottom).center().toPoint();
        const QPoint to = from - QPoint(60, 60);
        for (const auto& [type, at, held] :
             {std::tuple{QEvent::MouseButtonPress, from, Qt::MouseButtons(Qt::LeftButton)},
              std::tuple{QEvent::MouseMove, to, Qt::MouseButtons(Qt::LeftButton)},
              std::tuple{QEvent::MouseButtonRelease, to, Qt::MouseButtons(Qt::NoButton)}}) {
            QMouseEvent event(type, QPointF(at), preview->mapToGlobal(QPointF(at)),
                              type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                              Qt::NoModifier);
            QApplication::sendEvent(preview, &event);
        }
        answered = true;
        dialog->cmdOK()->click();
    });
    poll.start();
    picrows::s_ReTrimming(io);
    ASSERT_TRUE(answered);
    const Box after = boxOf(straight().ShapeRange());
    EXPECT_EQ(after.cl, 0);
    EXPECT_EQ(after.ct, 0);
    EXPECT_GT(after.cr, 10);
    EXPECT_NEAR((120 - after.cr) / (60 - after.cb), 2.0, 0.02); // the proportion kept
    EXPECT_NEAR(after.left, before.left, 1e-4);
    EXPECT_NEAR(after.width, before.width, 1e-4);
    EXPECT_NEAR(after.height, before.height, 1e-4);
    EXPECT_TRUE(messages.shown().empty());
}

} // namespace
