#include "platform/temp_files.h"

#include "platform/message_box.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace platform {

QString temporaryFolder()
{
    // TMPDIR as it is set, even when it names a folder that does not exist (QDir::tempPath()
    // would answer nothing then), else /tmp.
    QString path = qEnvironmentVariable("TMPDIR");
    if (path.isEmpty())
        path = QStringLiteral("/tmp");
    path = QDir::cleanPath(path);
    if (!QDir::isAbsolutePath(path)) {
        showMessage(QStringLiteral("Error:GetTempFolder\r\n"), MsgButtons::OK, MsgIcon::None,
                    defaultMessageTitle());
        return {};
    }
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

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
        showMessage(head + QStringLiteral("一時ファイルを作成できません。制限付きユーザーでログイン"
                                          "している場合は、管理者権限を持ったユーザーでログインし"
                                          "直してください。"),
                    MsgButtons::OK, MsgIcon::Critical, programTitle());
    else
        showMessage(head +
                        QStringLiteral("Windowsの環境変数として、存在しないパスが指定されています"
                                       "。Windowsの環境設定を修正し、Windowsを再起動してくださ"
                                       "い。"),
                    MsgButtons::OK, MsgIcon::Critical, programTitle());
    return {};
}

} // namespace platform
