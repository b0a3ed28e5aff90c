#include "host/running/host_registry.h"

#include "host/remote/server.h"
#include "host/remote/user_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>
#include <optional>

namespace host::running {

namespace {

const QString kSuffix = QStringLiteral(".host");

// An entry's file is small; anything larger is no entry of ours.
constexpr qint64 kMaxEntrySize = 1024 * 1024;

std::optional<HostEntry> readEntry(const QString& path, const QString& id)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxEntrySize)
        return std::nullopt;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject o = document.object();
    HostEntry entry;
    entry.id = id;
    entry.socket = o.value(QStringLiteral("socket")).toString();
    entry.pid = o.value(QStringLiteral("pid")).toInteger();
    entry.processStart = quint64(o.value(QStringLiteral("process_start")).toInteger());
    entry.registered = o.value(QStringLiteral("registered")).toInteger();
    entry.windowId = std::int32_t(o.value(QStringLiteral("window")).toInteger());
    entry.title = o.value(QStringLiteral("title")).toString();
    for (const QJsonValue& file : o.value(QStringLiteral("files")).toArray())
        entry.files.append(file.toString());
    if (entry.socket.isEmpty() || entry.pid <= 0)
        return std::nullopt;
    return entry;
}

} // namespace

quint64 processStartTime(qint64 pid)
{
    if (pid <= 0)
        return 0;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    // The command name (field 2) may hold spaces and parentheses: count from its end.
    const qsizetype close = text.lastIndexOf(')');
    if (close < 0)
        return 0;
    const QList<QByteArray> fields = text.mid(close + 2).split(' ');
    // Field 22, start time; fields[0] is field 3.
    return fields.size() > 19 ? fields[19].toULongLong() : 0;
}

HostRegistry HostRegistry::forUser(QString* error)
{
    return HostRegistry(remote::userSocketFolder(error));
}

QString HostRegistry::entryPath(const QString& id) const
{
    return m_folder + u'/' + id + kSuffix;
}

bool HostRegistry::isLive(const HostEntry& entry)
{
    const quint64 start = processStartTime(entry.pid);
    if (start == 0 || (entry.processStart != 0 && start != entry.processStart))
        return false;
    return remote::socketAnswers(entry.socket);
}

std::vector<HostEntry> HostRegistry::entries() const
{
    std::vector<HostEntry> live;
    if (!isValid())
        return live;
    const QDir dir(m_folder);
    const QStringList names =
        dir.entryList({QStringLiteral("*") + kSuffix}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& name : names) {
        const QString id = name.chopped(kSuffix.size());
        const std::optional<HostEntry> entry = readEntry(dir.filePath(name), id);
        if (!entry)
            continue; // not ours to judge, not ours to delete
        if (!isLive(*entry)) {
            remove(*entry);
            continue;
        }
        live.push_back(*entry);
    }
    std::stable_sort(live.begin(), live.end(), [](const HostEntry& a, const HostEntry& b) {
        return a.registered < b.registered;
    });
    return live;
}

bool HostRegistry::write(const HostEntry& entry, QString* error) const
{
    QJsonArray files;
    for (const QString& file : entry.files)
        files.append(file);
    const QJsonObject o{
        {QStringLiteral("socket"), entry.socket},
        {QStringLiteral("pid"), entry.pid},
        {QStringLiteral("process_start"), qint64(entry.processStart)},
        {QStringLiteral("registered"), entry.registered},
        {QStringLiteral("window"), entry.windowId},
        {QStringLiteral("title"), entry.title},
        {QStringLiteral("files"), files},
    };
    QSaveFile file(entryPath(entry.id));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(QJsonDocument(o).toJson(QJsonDocument::Compact)) < 0 || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

void HostRegistry::remove(const HostEntry& entry) const
{
    QFile::remove(entryPath(entry.id));
    // The socket file only if it lies in this folder: an entry names it, and entries are
    // not trusted to name files elsewhere.
    if (!entry.socket.isEmpty() &&
        QFileInfo(entry.socket).absolutePath() == QFileInfo(m_folder).absoluteFilePath() &&
        !remote::socketAnswers(entry.socket))
        QFile::remove(entry.socket);
}

} // namespace host::running
