#pragma once

#include <QString>
#include <QStringList>

namespace picrows {

// The pictures still to insert, in insertion order: entry 1 (index 0 here) goes next. The
// same file may be listed several times; each occurrence is inserted once. Positions are
// 16-bit in the dialog, so the list holds at most 32767 entries.
//
// The insertion dialog mirrors the list item by item: it links a Listener that hears of every
// change, so that the engine can consume the list without knowing the dialog.
class PictureList
{
public:
    static constexpr int kMaxEntries = 32767;

    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void appended(const QString& path) = 0;
        virtual void firstRemoved() = 0; // RemoveFastList
        virtual void removed(int index) = 0;
        virtual void reordered() = 0; // after move or setPaths
    };

    void setListener(Listener* listener) { m_listener = listener; }

    int count() const { return int(m_paths.size()); }
    bool isEmpty() const { return m_paths.isEmpty(); }
    const QString& first() const { return m_paths.front(); } // the list must not be empty
    const QString& at(int index) const { return m_paths.at(index); }
    const QStringList& paths() const { return m_paths; }

    // False (and nothing added) once the list is full.
    bool append(const QString& path);
    // Entry 1 leaves the list: the engine calls this after each picture it handled.
    void RemoveFastList();
    void removeAt(int index);
    void move(int from, int to);
    void setPaths(const QStringList& paths); // a new order, as after sorting
    void clear();

private:
    QStringList m_paths;
    Listener* m_listener = nullptr;
};

} // namespace picrows
