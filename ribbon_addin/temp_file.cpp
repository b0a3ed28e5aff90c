#include "ribbon_addin/temp_file.h"

#include "platform/message_box.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace ribbon_addin {

namespace {

// TMPDIR as it is set, even when it names a folder that does not exist, else /tmp; an empty
// text after a message when it is relative.
QString temporaryFolder()
{
    QString path = qEnvironmentVariable("TMPDIR");
    if (path.isEmpty())
        path = QStringLiteral("/tmp");
    path = QDir::cleanPath(path);
    if (!QDir::isAbsolutePath(path)) {
        platform::showMessage(QStringLiteral("Error:GetTempFolder\r\n"), platform::MsgButtons::OK,
                              platform::MsgIcon::None, platform::defaultMessageTitle());
        return {};
    }
    return path.endsWith(u'/') ? path : path + u'/';
}

} // namespace

QString F_GetTempFileFullpath(const QString& prefix)
{
    const QString folder = temporaryFolder();
    if (!folder.isEmpty()) {
        QTemporaryFile file(folder + prefix.left(3) + QStringLiteral("XXXXXX.tmp"));
        file.setAutoRemove(false);
        if (file.open())
            return file.fileName();
    }
    const QString head = QStringLiteral("Err:GetTempFileFullpath\r\n");
    if (folder.isEmpty() || QFileInfo(folder).isDir())
        platform::showMessage(
            head + QStringLiteral("一時ファイルを作成できません。制限付きユーザーでログインしてい"
                                  "る場合は、管理者権限を持ったユーザーでログインし直してくださ"
                                  "い。"),
            platform::MsgButtons::OK, platform::MsgIcon::Critical, platform::programTitle());
    else
        platform::showMessage(
            head + QStringLiteral("Windowsの環境変数として、存在しないパスが指定されています。Wi"
                                  "ndowsの環境設定を修正し、Windowsを再起動してください。"),
            platform::MsgButtons::OK, platform::MsgIcon::Critical, platform::programTitle());
    return {};
}

} // namespace ribbon_addin
