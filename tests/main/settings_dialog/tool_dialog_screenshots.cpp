// Renders the settings dialog (each of its six tabs), the reduction tool's dialog before and
// after a run, and the two template dialogs into PNG files, on an in-process host:
//
//   tool_dialog_screenshots OUTDIR
//
// Runs on any Qt platform (offscreen is enough); the pictures are the widgets' own renderings.
#include "host/objects/host.h"
#include "host/render/clipboard.h"
#include "host/render/clipboard_service.h"
#include "host/xl/xl.h"
#include "main/reduce_dialog/frm_convert_pic.h"
#include "main/settings/setting.h"
#include "main/settings_dialog/frm_setting.h"
#include "main/startup/startup_context.h"
#include "main/template_dialogs/frm_template_get.h"
#include "main/template_dialogs/frm_template_save.h"
#include "main/templates/template_open.h"
#include "main/templates/template_save.h"
#include "platform/event_pump.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"
#include "tests/host/objects/objects_support.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cstdio>

namespace {

using objects_test::q;

bool save(QWidget& widget, const QString& path)
{
    widget.repaint();
    const bool ok = widget.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

void settle(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

QString photograph(const QString& path, int w, int h, int seed)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor::fromHsv((200 + seed * 40) % 360, 120, 240));
    sky.setColorAt(1, QColor::fromHsv((180 + seed * 40) % 360, 40, 255));
    p.fillRect(image.rect(), sky);
    p.setBrush(QColor::fromHsv((90 + seed * 30) % 360, 150, 140));
    p.setPen(Qt::NoPen);
    p.drawRect(0, int(h * 0.65), w, h);
    p.end();
    image.save(path, "JPEG", 85);
    return path;
}

// The pictures a run lists: two photographs shown small, one at its size, two in a group, and
// a protected sheet.
void fillBook(const xl::Workbook& book, const QString& work)
{
    const xl::Worksheet sheet = book.Worksheets(1);
    const char* cells[] = {"B2", "E2", "B12", "E12"};
    for (int i = 0; i < 4; ++i) {
        sheet.Range(q(cells[i])).Select();
        const bool big = i < 2;
        const QString file = photograph(work + QStringLiteral("/写真%1.jpg").arg(i + 1),
                                        big ? 1600 : 160, big ? 1200 : 120, i);
        const xl::ShapeRange picture = sheet.Pictures().Insert(file).ShapeRange();
        if (big)
            picture.setWidth(150);
    }
    const xl::Shapes shapes = sheet.Shapes();
    shapes.Range(QStringList{shapes.Item(3).Name(), shapes.Item(4).Name()}).Group();
    book.Worksheets(2).Protect(true, false);
    sheet.Activate();
}

class Idle : public platform::EventPump
{
public:
    void run() override {}
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tool_dialog_screenshots OUTDIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);

    QTemporaryDir work;
    host::objects::Host host;
    host.options().clipboard = host::render::makeProcessClipboard();
    host.adoptWorkbook(objects_test::bookWithSheets({"写真台帳", "集計"}), q("現場写真.xlsx"));
    const xl::Application app(host.application());
    picrows::StartupContext& context = picrows::startupContext();
    context.gobjXlApp = app;
    context.store = std::make_unique<platform::SettingsStore>(work.filePath(q("cfg")));
    context.gobjSetting = std::make_unique<picrows::c_Setting>(*context.store, app.ref());
    picrows::c_Setting& setting = *context.gobjSetting;
    setting.setMyDocPath(work.filePath(q("テンプレート")));
    setting.Textbox_ColorIndex = 3;
    platform::ScriptedMessages messages; // the run's "nothing found" and the like stay quiet
    platform::ScopedMessageService messagesInPlace(messages);

    bool ok = true;
    {
        picrows::frmSetting dialog(setting, app, 0);
        dialog.show();
        settle(50);
        for (int tab = 0; tab < picrows::frmSetting::kTabs; ++tab) {
            dialog.tabMain()->setCurrentIndex(tab);
            settle(30);
            ok &= save(dialog, out + QStringLiteral("/frmSetting_tab%1.png").arg(tab + 1));
        }
    }
    {
        fillBook(app.ActiveWorkbook(), work.path());
        const auto clipboard = host::render::clipboardService(host.options().clipboard);
        picrows::frmConvertPic dialog(setting, app, [&](picrows::ReduceView& view) {
            return std::make_unique<picrows::ReduceRun>(app, *clipboard, view);
        });
        dialog.show();
        settle(50);
        ok &= save(dialog, out + QStringLiteral("/frmConvertPic.png"));
        Idle idle;
        platform::ScopedEventPump pumpInPlace(idle);
        dialog.cboTaisyou->setCurrentIndex(1);
        dialog.cmdOK->click();
        settle(50);
        ok &= save(dialog, out + QStringLiteral("/frmConvertPic_results.png"));
    }
    {
        picrows::TemplateDialogResult result;
        picrows::TemplateSaveForm form(app, result);
        picrows::frmTemplateSave dialog(form);
        dialog.show();
        settle(50);
        ok &= save(dialog, out + QStringLiteral("/frmTemplateSave.png"));
    }
    {
        picrows::TemplateDialogResult result;
        picrows::TemplateGetForm form(app, setting, result, {});
        form.load();
        picrows::frmTemplateGet dialog(form);
        dialog.show();
        settle(50);
        ok &= save(dialog, out + QStringLiteral("/frmTemplateGet_empty.png"));
    }
    {
        host::objects::Host other;
        const xl::Application otherApp(other.application());
        other.options().sheetsInNewWorkbook = 2;
        const xl::Workbook book = otherApp.Workbooks().Add();
        book.Worksheets(1).setName(q("工事写真台帳"));
        book.Worksheets(2).setName(q("完成写真"));
        book.SaveAs(setting.MyDocPath() + q("/ユーザーカスタム.xlsx"));
        book.Close(false);

        picrows::TemplateDialogResult result;
        picrows::TemplateGetForm form(app, setting, result, {});
        form.load();
        picrows::frmTemplateGet dialog(form);
        dialog.show();
        settle(50);
        ok &= save(dialog, out + QStringLiteral("/frmTemplateGet.png"));
    }
    context.clear();
    return ok ? 0 : 1;
}
