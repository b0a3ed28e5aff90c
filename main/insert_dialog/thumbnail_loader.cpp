#include "main/insert_dialog/thumbnail_loader.h"

#include "main/insert_dialog/thumbnail_image.h"

#include <QMutex>
#include <QSet>
#include <QThread>
#include <QThreadPool>

#include <deque>

namespace picrows {

// Shared with the workers, which may outlive nothing: the loader waits for them.
struct ThumbnailLoader::State
{
    QMutex mutex;
    std::deque<QString> order; // in request order; paths taken early are skipped
    QSet<QString> waiting;     // asked for, not taken by a worker yet
    QSet<QString> known;       // ever asked for
    QStringList priority;
    int running = 0;
    bool stopping = false;
    Maker maker;
    QThreadPool pool;

    // The next path to make, under the mutex; empty when none waits.
    QString take()
    {
        while (!priority.isEmpty()) {
            const QString path = priority.takeFirst();
            if (waiting.remove(path))
                return path;
        }
        while (!order.empty()) {
            QString path = std::move(order.front());
            order.pop_front();
            if (waiting.remove(path))
                return path;
        }
        return {};
    }
};

ThumbnailLoader::ThumbnailLoader(QSize size, QObject* parent, Maker maker, int workers)
    : QObject(parent), m_size(size), m_state(std::make_shared<State>())
{
    m_state->maker = maker ? std::move(maker) : Maker(&f_MakeThumbnail);
    m_state->pool.setMaxThreadCount(workers > 0 ? workers
                                                : std::max(1, QThread::idealThreadCount()));
}

ThumbnailLoader::~ThumbnailLoader()
{
    {
        QMutexLocker lock(&m_state->mutex);
        m_state->stopping = true;
        m_state->waiting.clear();
        m_state->order.clear();
        m_state->priority.clear();
    }
    m_state->pool.waitForDone();
}

int ThumbnailLoader::workers() const
{
    return m_state->pool.maxThreadCount();
}

void ThumbnailLoader::request(const QString& path)
{
    {
        QMutexLocker lock(&m_state->mutex);
        if (m_state->known.contains(path))
            return;
        m_state->known.insert(path);
        m_state->waiting.insert(path);
        m_state->order.push_back(path);
    }
    ++m_outstanding;
    startWorkers();
}

void ThumbnailLoader::prioritise(const QStringList& paths)
{
    QMutexLocker lock(&m_state->mutex);
    m_state->priority = paths;
}

int ThumbnailLoader::outstanding() const
{
    return m_outstanding;
}

void ThumbnailLoader::startWorkers()
{
    State& state = *m_state;
    QMutexLocker lock(&state.mutex);
    const int wanted = std::min<int>(int(state.waiting.size()), state.pool.maxThreadCount());
    ThumbnailLoader* loader = this;
    const QSize size = m_size;
    while (state.running < wanted) {
        ++state.running;
        state.pool.start([&state, loader, size] {
            for (;;) {
                QString path;
                {
                    QMutexLocker inner(&state.mutex);
                    path = state.stopping ? QString() : state.take();
                    if (path.isEmpty()) {
                        --state.running;
                        return;
                    }
                }
                const QImage image = state.maker(path, size);
                // The loader waits for this thread before it goes, so it is there to post to;
                // what it has not taken when it goes is dropped with it.
                QMetaObject::invokeMethod(
                    loader, [loader, path, image] { loader->deliver(path, image); },
                    Qt::QueuedConnection);
            }
        });
    }
}

void ThumbnailLoader::deliver(const QString& path, const QImage& image)
{
    --m_outstanding;
    Q_EMIT loaded(path, image);
}

} // namespace picrows
