#include "main/engine/picture_drop.h"

#include "main/engine/cancel_prompt.h"
#include "main/engine/image_file_match.h"
#include "main/engine/picture_list.h"
#include "main/engine/status_panel.h"
#include "platform/event_pump.h"
#include "platform/message_box.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <set>

namespace picrows {

namespace {

constexpr int kFilesBetweenChecks = 100;

QString analysingText(const QString& what)
{
    return QStringLiteral("現在、") + what + QStringLiteral(" を解析中...(ESCでキャンセル)");
}

// The folder's own name: the text after its last separator.
QString folderName(QString folder)
{
    while (folder.size() > 1 && (folder.endsWith(u'/') || folder.endsWith(u'\\')))
        folder.chop(1);
    const qsizetype slash = std::max(folder.lastIndexOf(u'/'), folder.lastIndexOf(u'\\'));
    return folder.mid(slash + 1);
}

// Names in the order a folder listing gives them on the platform the suite was made for:
// without regard to case, ties broken by the exact text.
QStringList inNameOrder(QStringList names)
{
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

QString joined(const QString& folder, const QString& name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

// Folders already searched in this drop: a link back to a parent must not loop for ever.
bool addFolder(const QString& folder, PictureList& list, StatusPanel& status,
               std::set<QString>& visited)
{
    status.setText(analysingText(folderName(folder)));
    platform::letPendingEventsRun();

    const QDir dir(folder);
    const QDir::Filters everything = QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    const QStringList files = inNameOrder(dir.entryList(QDir::Files | everything, QDir::Unsorted));
    if (files.isEmpty() || !visited.insert(QFileInfo(folder).canonicalFilePath()).second) {
        status.reset();
        return true;
    }

    int seen = 0;
    for (const QString& name : files) {
        if (f_MatchImageFile(name))
            list.append(joined(folder, name));
        if (++seen % kFilesBetweenChecks == 0 && f_CancelRequested()) {
            status.reset();
            return false;
        }
    }
    const QStringList folders = inNameOrder(dir.entryList(QDir::Dirs | everything, QDir::Unsorted));
    for (const QString& name : folders) {
        if (!addFolder(joined(folder, name), list, status, visited) || f_CancelRequested()) {
            status.reset();
            return false;
        }
    }
    status.reset();
    return true;
}

} // namespace

bool f_AddFolder(const QString& folder, PictureList& list, StatusPanel& status)
{
    std::set<QString> visited;
    return addFolder(folder, list, status, visited);
}

void s_AddDroppedItems(const QStringList& items, PictureList& list, StatusPanel& status)
{
    const int n = int(items.size());
    if (n == 0) // a drop without files
        return;
    std::set<QString> visited;
    for (int i = 0; i < n; ++i) {
        const QString& item = items[i];
        status.setText(analysingText(QString::number(i + 1) + u'/' + QString::number(n)));
        if (f_MatchImageFile(item)) {
            list.append(item);
        } else if (QFileInfo(item).isDir() && !addFolder(item, list, status, visited)) {
            platform::showMessage(QStringLiteral("キャンセルしました。"), platform::MsgButtons::OK,
                                  platform::MsgIcon::Information, platform::programTitle());
            break;
        }
        if (f_CancelRequested())
            break;
    }
    status.reset();
}

} // namespace picrows
