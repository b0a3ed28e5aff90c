#include "host/imaging/read_ahead.h"

#include "host/imaging/worker_pool.h"

#include <QDateTime>
#include <QFileInfo>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>

namespace host::imaging {

namespace {

// Files read ahead of the one in use: enough to keep every core busy.
int window()
{
    return QThread::idealThreadCount() + 1;
}

struct FileStamp
{
    qint64 size = -1;
    QDateTime modified;
    bool operator==(const FileStamp&) const = default;
};

FileStamp stampOf(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() ? FileStamp{info.size(), info.lastModified()} : FileStamp{};
}

struct Entry
{
    QString path;
    bool started = false;
    bool dropped = false; // left the list untaken: not worth reading any more
    bool done = false;
    FileStamp stamp; // of the file as it was read
    std::optional<EncodedImage> image;
    std::exception_ptr error;
};

struct ReadAhead
{
    std::mutex mutex;
    std::condition_variable finished;
    std::deque<std::shared_ptr<Entry>> entries; // announced and not yet taken, in order
    const void* owner = nullptr;                // who announced them
};

ReadAhead& state()
{
    static ReadAhead instance;
    return instance;
}

void load(Entry& entry)
{
    try {
        entry.stamp = stampOf(entry.path);
        entry.image = loadPictureFileNow(entry.path);
    } catch (...) {
        entry.error = std::current_exception();
    }
}

// Starts reading the first files of the list that are not started yet. Called locked.
void fill(ReadAhead& s)
{
    const int ahead = window();
    int index = 0;
    for (const std::shared_ptr<Entry>& entry : s.entries) {
        if (index++ >= ahead)
            break;
        if (entry->started)
            continue;
        entry->started = true;
        workerPool().start([entry] {
            ReadAhead& st = state();
            bool dropped = false;
            {
                const std::lock_guard lock(st.mutex);
                dropped = entry->dropped;
            }
            if (!dropped)
                load(*entry);
            {
                const std::lock_guard lock(st.mutex);
                entry->done = true;
            }
            st.finished.notify_all();
        });
    }
}

// Empties the list, called locked: files being read finish unheeded, the others are skipped.
void dropAll(ReadAhead& s)
{
    for (const std::shared_ptr<Entry>& entry : s.entries)
        entry->dropped = true;
    s.entries.clear();
    s.owner = nullptr;
}

} // namespace

void announcePictureFiles(const QStringList& paths, const void* owner)
{
    ReadAhead& s = state();
    const std::lock_guard lock(s.mutex);
    dropAll(s);
    s.owner = owner;
    for (const QString& path : paths) {
        auto entry = std::make_shared<Entry>();
        entry->path = path;
        s.entries.push_back(std::move(entry));
    }
    fill(s);
}

void dropAnnouncedPictureFiles(const void* owner)
{
    ReadAhead& s = state();
    const std::lock_guard lock(s.mutex);
    if (s.owner == owner)
        dropAll(s);
}

std::optional<EncodedImage> takeAnnouncedPicture(const QString& path)
{
    ReadAhead& s = state();
    std::unique_lock lock(s.mutex);
    auto it = std::find_if(s.entries.begin(), s.entries.end(),
                           [&path](const auto& e) { return e->path == path; });
    if (it == s.entries.end())
        return std::nullopt;
    const std::shared_ptr<Entry> entry = *it;
    for (auto skipped = s.entries.begin(); skipped != it; ++skipped)
        (*skipped)->dropped = true;
    s.entries.erase(s.entries.begin(), it + 1); // the ones before it were skipped
    if (!entry->started) {
        fill(s);
        lock.unlock();
        return std::nullopt; // not begun: read here, while the next ones start
    }
    fill(s);
    s.finished.wait(lock, [&entry] { return entry->done; });
    lock.unlock();
    if (entry->stamp != stampOf(path))
        return std::nullopt; // changed since it was read
    if (entry->error)
        std::rethrow_exception(entry->error);
    return std::move(entry->image);
}

} // namespace host::imaging
