#include "tests/main/insert_dialog/dialog_test_support.h"

#include "host/render/clipboard_service.h"
#include "macro_workbook/macro_workbook.h"
#include "main/controls/window_services.h"

#include <QFile>
#include <QTest>

namespace dialog_test {

DialogTest::DialogTest()
    : m_messagesInPlace(messages), m_keysInPlace(keys), m_pumpInPlace(pump),
      m_openFilesInPlace(openFiles), m_hostWindowInPlace(hostWindow),
      m_propertiesInPlace(properties), m_shellInPlace(shell)
{
    // Runs copy and paste on the host's own clipboard, apart from the desktop's, which is the
    // suite's clipboard as the batch command wires it; and with the suite's macro workbook.
    m_host.options().clipboard = host::render::makeProcessClipboard();
    m_clipboard = host::render::clipboardService(m_host.options().clipboard);
    m_clipboardInPlace.emplace(*m_clipboard);
    m_host.registerAddInWorkbook(picrows::macroWorkbook());
    picrows::StartupContext& context = picrows::startupContext();
    context.clear();
    context.gobjXlApp = app;
    context.store = std::make_unique<platform::SettingsStore>(dir.filePath(q("config")));
    context.gobjSetting = std::make_unique<picrows::c_Setting>(*context.store, app.ref());
    range("A1").Select();
}

DialogTest::~DialogTest()
{
    picrows::ResizeLimiter::instance(picrows::ResizeLimiter::Main).stop();
    picrows::startupContext().clear();
}

std::unique_ptr<picrows::frmGet> DialogTest::openDialog()
{
    auto dialog = std::make_unique<picrows::frmGet>();
    dialog->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    return dialog;
}

QString DialogTest::picture(const QString& name, QSize size, const char* format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(int(qHash(name) % 360), 180, 220));
    const QString path = dir.filePath(name);
    EXPECT_TRUE(image.save(path, format)) << path.toStdString();
    return path;
}

QString DialogTest::textFile(const QString& name)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    return path;
}

void DialogTest::roomyCells(const char* address)
{
    range(address).setColumnWidth(20);
    range(address).setRowHeight(80);
    range(address).setLocked(false);
}

} // namespace dialog_test
