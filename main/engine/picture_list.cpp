#include "main/engine/picture_list.h"

namespace picrows {

bool PictureList::append(const QString& path)
{
    if (m_paths.size() >= kMaxEntries)
        return false;
    m_paths.append(path);
    if (m_listener)
        m_listener->appended(path);
    return true;
}

void PictureList::RemoveFastList()
{
    if (m_paths.isEmpty())
        return;
    m_paths.removeFirst();
    if (m_listener)
        m_listener->firstRemoved();
}

void PictureList::removeAt(int index)
{
    if (index < 0 || index >= m_paths.size())
        return;
    m_paths.removeAt(index);
    if (m_listener)
        m_listener->removed(index);
}

void PictureList::move(int from, int to)
{
    if (from < 0 || from >= m_paths.size() || to < 0 || to >= m_paths.size() || from == to)
        return;
    m_paths.move(from, to);
    if (m_listener)
        m_listener->reordered();
}

void PictureList::setPaths(const QStringList& paths)
{
    m_paths = paths.mid(0, kMaxEntries);
    if (m_listener)
        m_listener->reordered();
}

void PictureList::clear()
{
    setPaths({});
}

} // namespace picrows
