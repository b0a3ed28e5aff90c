#pragma once

#include "main/engine/picture_list.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QPixmap>
#include <QSet>

#include <vector>

namespace picrows {

class ThumbnailLoader;

// The rows of the dialog's picture list `lstFiles`, mirroring the engine's picture list item by
// item: "No" (the 1-based position), "ファイル名", "パス", "更新日時", "作成日時", the full
// path as the row's tag and, while thumbnails are shown, the key of its thumbnail in the image
// list (the path, or "ERRORIMAGE").
class PictureListModel : public QAbstractTableModel, public PictureList::Listener
{
    Q_OBJECT

public:
    enum Column
    {
        No,
        FileName,
        Folder,
        Modified,
        Created,
        ColumnCount
    };
    static constexpr int TagRole = Qt::UserRole;         // the full path
    static constexpr int IconKeyRole = Qt::UserRole + 1; // empty while the thumbnail loads
    static const QString kErrorImage;                    // "ERRORIMAGE"

    explicit PictureListModel(PictureList& list, QObject* parent = nullptr);
    ~PictureListModel() override;

    // Thumbnails from `loader` (its size is the image list's); none: no thumbnails.
    void setThumbnails(ThumbnailLoader* loader);
    bool showsThumbnails() const { return m_loader != nullptr; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    QString path(int row) const;
    QString text(int row, int column) const;
    // The rows' paths in `first` … `last` whose thumbnails have not arrived.
    QStringList pathsWaitingForThumbnails(int first, int last) const;
    // The paths in the order the list takes when sorted by the texts of `column` (stable).
    QStringList sortedPaths(int column, Qt::SortOrder order) const;

    // The date text of the list's date columns.
    static QString dateText(const QDateTime& date);

    // PictureList::Listener
    void appended(const QString& path) override;
    void firstRemoved() override;
    void removed(int index) override;
    void reordered() override;

private:
    struct Row
    {
        QString path;
        QString name;
        QString folder;
        QString modified;
        QString created;
    };
    Row makeRow(const QString& path) const;
    QString iconKey(const QString& path) const;
    void thumbnailLoaded(const QString& path, const QImage& image);

    PictureList& m_list;
    std::vector<Row> m_rows;
    ThumbnailLoader* m_loader = nullptr;
    QHash<QString, QPixmap> m_images; // the image list, keyed by path
    QSet<QString> m_failed;
    QPixmap m_errorImage;
    QPixmap m_blank;
};

} // namespace picrows
