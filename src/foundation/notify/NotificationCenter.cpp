#include "foundation/notify/NotificationCenter.h"

NotificationCenter& NotificationCenter::defaultCenter()
{
    static NotificationCenter center;
    return center;
}

NotificationCenter::ObserverId NotificationCenter::addObserver(const QString& name, Handler handler)
{
    return add({ 0, name, nullptr, nullptr, std::move(handler) });
}

NotificationCenter::ObserverId NotificationCenter::addObserver(
    const QString& name, const NotificationSource* object, Handler handler)
{
    return add({ 0, name, object, nullptr, std::move(handler) });
}

NotificationCenter::ObserverId NotificationCenter::addScopedObserver(
    const QString& name, const void* scope, Handler handler)
{
    return add({ 0, name, nullptr, scope, std::move(handler) });
}

NotificationCenter::ObserverId NotificationCenter::add(Observer observer)
{
    observer.id = m_nextId++;
    m_observers.append(std::move(observer));
    return m_observers.last().id;
}

void NotificationCenter::removeObserver(ObserverId id)
{
    m_observers.removeIf([id](const Observer& o) { return o.id == id; });
}

const NotificationCenter::Observer* NotificationCenter::find(ObserverId id) const
{
    for (const Observer& observer : m_observers) {
        if (observer.id == id)
            return &observer;
    }
    return nullptr;
}

bool NotificationCenter::Observer::matches(const Notification& notification) const
{
    if (!name.isEmpty() && name != notification.name)
        return false;
    if (object && object != notification.object)
        return false;
    const void* objectScope = notification.scope();
    return !scope || !objectScope || objectScope == scope;
}

void NotificationCenter::post(const QString& name, NotificationSource* object, const QVariantMap& userInfo)
{
    const Notification notification { name, object, userInfo };
    // Handlers may change the observer list, so walk a snapshot of the ids
    // and skip any observer removed along the way.
    QList<ObserverId> ids;
    for (const Observer& observer : m_observers) {
        if (observer.matches(notification))
            ids.append(observer.id);
    }
    for (ObserverId id : ids) {
        if (const Observer* observer = find(id)) {
            const Handler handler = observer->handler; // survives its own removal
            handler(notification);
        }
    }
}
