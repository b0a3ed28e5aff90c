#pragma once

#include <vector>

namespace host::model {
struct Sheet;
}

// Notifications from the object model to whoever shows it. The object layer announces every
// change where it makes it, whether a window gesture or an automation call caused it, so that
// views never keep a copy of what they show: they learn that something changed and read the
// model again. Announcements may be coarse ("the sheet's cells changed" without saying which);
// views coalesce them.
namespace host::objects {

class Workbook;

enum class ChangeKind
{
    Cells,       // values, formats, sizes, merges, hidden rows or columns of `sheet`
    Shapes,      // shapes of `sheet` added, removed or changed
    Selection,   // the selected cells, active cell or selected shapes of `sheet`
    Sheets,      // the sheets of `book`: added, removed, renamed, hidden, the active one
    Workbooks,   // workbooks opened or closed, the active one, names and saved states
    View,        // the zoom, scroll position or window state of `book`'s window
    Switches,    // the application's switches: screen updating, interaction, events, cursor,
                 // alerts, caption
    CommandBars, // command bars or controls added, removed or changed
};

struct Change
{
    ChangeKind kind;
    const Workbook* book = nullptr;      // the workbook concerned, where there is one
    const model::Sheet* sheet = nullptr; // the sheet concerned, where there is one
};

// Told of every change; it must not add or remove observers while being told, but may read
// and change the model (a change made then is announced in turn).
class ChangeObserver
{
public:
    virtual ~ChangeObserver();
    virtual void changed(const Change& change) = 0;
};

// The observers of one host. Observers are not owned; each removes itself before it goes.
class ChangeNotifier
{
public:
    void add(ChangeObserver* observer);
    void remove(ChangeObserver* observer);
    void notify(const Change& change) const;

private:
    std::vector<ChangeObserver*> m_observers;
};

} // namespace host::objects
