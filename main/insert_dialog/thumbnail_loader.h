#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace picrows {

// Makes the picture list's thumbnails on worker threads (at most one per core), so that
// adding many large photographs never blocks the dialog. Each path is made once; the paths
// the list shows are made first. Results arrive on the loader's thread through `loaded`.
class ThumbnailLoader : public QObject
{
    Q_OBJECT

public:
    using Maker = std::function<QImage(const QString& path, QSize size)>;

    // `maker` makes one thumbnail (f_MakeThumbnail by default); `workers` 0: one per core.
    explicit ThumbnailLoader(QSize size, QObject* parent = nullptr, Maker maker = {},
                             int workers = 0);
    ~ThumbnailLoader() override; // drops what waits, waits for what is being made

    QSize size() const { return m_size; }
    int workers() const;

    // Asks for a path's thumbnail; a path asked for before is not made again.
    void request(const QString& path);
    // These paths first, in this order, where they still wait.
    void prioritise(const QStringList& paths);
    // Paths asked for whose thumbnails have not arrived yet.
    int outstanding() const;

Q_SIGNALS:
    // The thumbnail of `path`; a null image when it could not be made.
    void loaded(const QString& path, const QImage& image);

private:
    struct State;
    void startWorkers();
    void deliver(const QString& path, const QImage& image);

    QSize m_size;
    std::shared_ptr<State> m_state;
    int m_outstanding = 0;
};

} // namespace picrows
