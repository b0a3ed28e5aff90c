#include "main/insert_dialog/picture_list_model.h"

#include "main/insert_dialog/thumbnail_image.h"
#include "main/insert_dialog/thumbnail_loader.h"
#include "platform/file_date.h"

#include <algorithm>
#include <numeric>

namespace picrows {

const QString PictureListModel::kErrorImage = QStringLiteral("ERRORIMAGE");

PictureListModel::PictureListModel(PictureList& list, QObject* parent)
    : QAbstractTableModel(parent), m_list(list)
{
    for (const QString& path : list.paths())
        m_rows.push_back(makeRow(path));
    m_list.setListener(this);
}

PictureListModel::~PictureListModel()
{
    m_list.setListener(nullptr);
}

void PictureListModel::setThumbnails(ThumbnailLoader* loader)
{
    m_loader = loader;
    if (!loader)
        return;
    m_errorImage = QPixmap::fromImage(errorThumbnail(loader->size()));
    m_blank = QPixmap(loader->size());
    m_blank.fill(Qt::transparent);
    connect(loader, &ThumbnailLoader::loaded, this,
            [this](const QString& path, const QImage& image) { thumbnailLoaded(path, image); });
    for (const Row& row : m_rows)
        loader->request(row.path);
}

int PictureListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int PictureListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString PictureListModel::text(int row, int column) const
{
    const Row& r = m_rows[size_t(row)];
    switch (column) {
    case No:
        return QString::number(row + 1);
    case FileName:
        return r.name;
    case Folder:
        return r.folder;
    case Modified:
        return r.modified;
    case Created:
        return r.created;
    default:
        return {};
    }
}

QString PictureListModel::iconKey(const QString& path) const
{
    if (m_images.contains(path))
        return path;
    if (m_failed.contains(path))
        return kErrorImage;
    return {};
}

QVariant PictureListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return {};
    const Row& row = m_rows[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case TagRole:
        return row.path;
    case IconKeyRole:
        return m_loader ? iconKey(row.path) : QString();
    case Qt::DecorationRole: {
        if (index.column() != No || !m_loader)
            return {};
        const QString key = iconKey(row.path);
        if (key.isEmpty())
            return m_blank;
        return key == kErrorImage ? m_errorImage : m_images.value(key);
    }
    default:
        return {};
    }
}

QVariant PictureListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QString titles[ColumnCount] = {QStringLiteral("No"), QStringLiteral("ファイル名"),
                                                QStringLiteral("パス"), QStringLiteral("更新日時"),
                                                QStringLiteral("作成日時")};
    return section >= 0 && section < ColumnCount ? titles[section] : QString();
}

QString PictureListModel::path(int row) const
{
    return row >= 0 && row < int(m_rows.size()) ? m_rows[size_t(row)].path : QString();
}

QStringList PictureListModel::pathsWaitingForThumbnails(int first, int last) const
{
    QStringList paths;
    if (!m_loader)
        return paths;
    first = std::max(first, 0);
    last = std::min(last, int(m_rows.size()) - 1);
    for (int row = first; row <= last; ++row) {
        const QString& p = m_rows[size_t(row)].path;
        if (!m_images.contains(p) && !m_failed.contains(p))
            paths << p;
    }
    return paths;
}

QStringList PictureListModel::sortedPaths(int column, Qt::SortOrder order) const
{
    std::vector<int> rows(m_rows.size());
    std::iota(rows.begin(), rows.end(), 0);
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        const int c = text(a, column).compare(text(b, column), Qt::CaseInsensitive);
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    QStringList paths;
    paths.reserve(qsizetype(rows.size()));
    for (int row : rows)
        paths << m_rows[size_t(row)].path;
    return paths;
}

QString PictureListModel::dateText(const QDateTime& date)
{
    return date.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

PictureListModel::Row PictureListModel::makeRow(const QString& path) const
{
    Row row;
    row.path = path;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    row.name = path.mid(slash + 1);
    row.folder = slash < 0 ? QString() : path.left(slash);
    row.modified = dateText(
        platform::F_GetFileDate(path, platform::DatePart::DateTime, platform::DateKind::Modified));
    row.created = dateText(
        platform::F_GetFileDate(path, platform::DatePart::DateTime, platform::DateKind::Created));
    return row;
}

void PictureListModel::appended(const QString& path)
{
    const int row = int(m_rows.size());
    beginInsertRows({}, row, row);
    m_rows.push_back(makeRow(path));
    endInsertRows();
    if (m_loader)
        m_loader->request(path);
}

void PictureListModel::firstRemoved()
{
    removed(0);
}

void PictureListModel::removed(int index)
{
    if (index < 0 || index >= int(m_rows.size()))
        return;
    beginRemoveRows({}, index, index);
    m_rows.erase(m_rows.begin() + index);
    endRemoveRows();
    // Every row below moved up: its number changed.
    if (index < int(m_rows.size()))
        Q_EMIT dataChanged(this->index(index, No), this->index(int(m_rows.size()) - 1, No),
                           {Qt::DisplayRole});
}

void PictureListModel::reordered()
{
    // The rows already made keep their texts; a path new to the list is made.
    QHash<QString, Row> made;
    for (Row& row : m_rows)
        made.insert(row.path, std::move(row));
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(size_t(m_list.count()));
    for (const QString& path : m_list.paths()) {
        const auto it = made.constFind(path);
        m_rows.push_back(it != made.cend() ? *it : makeRow(path));
    }
    endResetModel();
}

void PictureListModel::thumbnailLoaded(const QString& path, const QImage& image)
{
    if (image.isNull())
        m_failed.insert(path);
    else if (!m_images.contains(path)) // an image already listed under the key is kept
        m_images.insert(path, QPixmap::fromImage(image));
    if (!m_rows.empty())
        Q_EMIT dataChanged(index(0, No), index(int(m_rows.size()) - 1, No),
                           {Qt::DecorationRole, IconKeyRole});
}

} // namespace picrows
