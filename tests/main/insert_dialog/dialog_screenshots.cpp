// Renders the insertion dialog with a filled list and its thumbnails, with a tooltip picture,
// the excluded-cell list and the about dialog into PNG files, on an in-process host:
//
//   insert_dialog_screenshots OUTDIR
//
// Runs on any Qt platform (offscreen is enough); the pictures are the widgets' own renderings.
#include "host/objects/host.h"
#include "main/about/frm_about.h"
#include "main/excluded_cells/frm_show_jogai_msg.h"
#include "main/insert_dialog/frm_get.h"
#include "main/insert_dialog/picture_list_view.h"
#include "main/insert_dialog/thumbnail_loader.h"
#include "main/settings/setting.h"
#include "main/startup/startup_context.h"
#include "platform/settings_store.h"
#include "tests/host/objects/objects_support.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTemporaryDir>
#include <QToolButton>

#include <cmath>
#include <cstdio>

namespace {

// A picture with a sky, a sun and hills in colours of its own.
QImage scenery(int seed, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor::fromHsv((200 + seed * 37) % 360, 120, 240));
    sky.setColorAt(1, QColor::fromHsv((180 + seed * 37) % 360, 40, 255));
    p.fillRect(image.rect(), sky);
    p.setBrush(QColor(0xf6, 0xc0, 0x40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(size.width() * (0.2 + 0.06 * (seed % 10)), size.height() * 0.28),
                  size.height() * 0.12, size.height() * 0.12);
    for (int layer = 0; layer < 3; ++layer) {
        QPainterPath hill;
        hill.moveTo(0, size.height());
        for (int x = 0; x <= size.width(); x += 8)
            hill.lineTo(x, size.height() * (0.55 + 0.12 * layer) +
                               std::sin(x * 0.012 * (layer + 1) + seed) * size.height() * 0.08);
        hill.lineTo(size.width(), size.height());
        p.setBrush(QColor::fromHsv((90 + seed * 23 + layer * 20) % 360, 150, 170 - layer * 30));
        p.drawPath(hill);
    }
    return image;
}

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

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: insert_dialog_screenshots OUTDIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);

    QTemporaryDir work;
    host::objects::Host host;
    host.adoptWorkbook(objects_test::bookWithSheets({"Sheet1"}), QStringLiteral("Book1"));
    picrows::StartupContext& context = picrows::startupContext();
    context.gobjXlApp = xl::Application(host.application());
    context.store = std::make_unique<platform::SettingsStore>(work.filePath(QStringLiteral("cfg")));
    context.gobjSetting =
        std::make_unique<picrows::c_Setting>(*context.store, context.gobjXlApp.ref());
    context.gobjSetting->PasteInfo = true;
    context.gobjSetting->PasteSize = 2;

    bool ok = true;
    {
        picrows::frmGet dialog;
        dialog.show();
        const QString folder = work.filePath(QStringLiteral("写真"));
        QDir().mkpath(folder);
        for (int i = 0; i < 14; ++i) {
            const QString path =
                folder + QStringLiteral("/旅行_%1.jpg").arg(i + 1, 2, 10, QLatin1Char('0'));
            scenery(i, i % 4 == 3 ? QSize(600, 800) : QSize(800, 600)).save(path, "JPEG", 85);
            dialog.pictureFiles().append(path);
        }
        QFile broken(folder + QStringLiteral("/壊れた画像.png"));
        broken.open(QIODevice::WriteOnly);
        broken.write("no picture here");
        broken.close();
        dialog.pictureFiles().append(broken.fileName());
        dialog.lstFiles()->selectRow(1);
        while (dialog.thumbnails() && dialog.thumbnails()->outstanding() > 0)
            settle(20);
        settle(100);
        ok &= save(dialog, out + QStringLiteral("/frmGet_list.png"));

        // The pointer over the selected-cells button shows its picture.
        auto* button = dialog.findChild<QToolButton*>(QStringLiteral("SELECTEDMODE"));
        const QPoint at(button->width() / 2, button->height() / 2);
        QMouseEvent move(QEvent::MouseMove, at, button->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(button, &move);
        ok &= save(dialog, out + QStringLiteral("/frmGet_tooltip.png"));
        dialog.pictureFiles().clear();
        settle(50);
        ok &= save(dialog, out + QStringLiteral("/frmGet_empty.png"));
        dialog.close();
    }
    {
        picrows::frmShowJogaiMsg list;
        for (const char* entry : {"$B$3\t値代入", "$C$3\tサイズ制限", "$D$5:$E$6\tロック",
                                  "$A$10\t非表示", "$A$2\t０サイズ"})
            list.addEntry(QString::fromUtf8(entry));
        list.show();
        settle(50);
        ok &= save(list, out + QStringLiteral("/frmShowJogaiMsg.png"));
    }
    {
        picrows::frmAbout about(picrows::frmAbout::Bits::Host32);
        about.show();
        settle(50);
        ok &= save(about, out + QStringLiteral("/frmAbout.png"));
    }
    context.clear();
    return ok ? 0 : 1;
}
