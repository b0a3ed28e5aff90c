#include "host/objects/change_notifier.h"

#include <algorithm>

namespace host::objects {

ChangeObserver::~ChangeObserver() = default;

void ChangeNotifier::add(ChangeObserver* observer)
{
    if (std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void ChangeNotifier::remove(ChangeObserver* observer)
{
    std::erase(m_observers, observer);
}

void ChangeNotifier::notify(const Change& change) const
{
    // A copy: an observer told of a change may cause another, announced in its turn.
    const auto observers = m_observers;
    for (ChangeObserver* observer : observers)
        observer->changed(change);
}

} // namespace host::objects
