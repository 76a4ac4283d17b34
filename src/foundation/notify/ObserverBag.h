#pragma once

#include "foundation/notify/NotificationCenter.h"

#include <vector>

// Holds the observers one owner registered and removes them all when the
// owner goes away, so that no handler outlives the object it captures.
class ObserverBag {
public:
    explicit ObserverBag(NotificationCenter& center = NotificationCenter::defaultCenter())
        : m_center(center)
    { }
    ~ObserverBag() { clear(); }
    ObserverBag(const ObserverBag&) = delete;
    ObserverBag& operator=(const ObserverBag&) = delete;

    // Observers that see only notifications of `scope` (the owner's document)
    // and application-wide ones.
    void observe(const QString& name, const void* scope, NotificationCenter::Handler handler)
    {
        m_ids.push_back(m_center.addScopedObserver(name, scope, std::move(handler)));
    }

    // Observers that see only notifications about `source`.
    void observeSource(const QString& name, const NotificationSource* source, NotificationCenter::Handler handler)
    {
        m_ids.push_back(m_center.addObserver(name, source, std::move(handler)));
    }

    void clear()
    {
        for (NotificationCenter::ObserverId id : m_ids)
            m_center.removeObserver(id);
        m_ids.clear();
    }

private:
    NotificationCenter& m_center;
    std::vector<NotificationCenter::ObserverId> m_ids;
};
