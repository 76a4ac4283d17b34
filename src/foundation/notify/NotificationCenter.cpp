#include "foundation/notify/NotificationCenter.h"

#include <QVarLengthArray>

#include <algorithm>

NotificationCenter& NotificationCenter::defaultCenter()
{
    static NotificationCenter center;
    return center;
}

NotificationCenter::ObserverId NotificationCenter::addObserver(const QString& name, Handler handler)
{
    return add(name, nullptr, nullptr, std::move(handler));
}

NotificationCenter::ObserverId NotificationCenter::addObserver(
    const QString& name, const NotificationSource* object, Handler handler)
{
    return add(name, object, nullptr, std::move(handler));
}

NotificationCenter::ObserverId NotificationCenter::addScopedObserver(
    const QString& name, const void* scope, Handler handler)
{
    return add(name, nullptr, scope, std::move(handler));
}

NotificationCenter::ObserverId NotificationCenter::add(
    const QString& name, const NotificationSource* object, const void* scope, Handler handler)
{
    const ObserverId id = m_nextId++;
    m_idsByName[name].of(object).append(id);
    m_observers.append({ id, name, object, scope, std::make_shared<const Handler>(std::move(handler)) });
    return id;
}

namespace {

template <typename List> auto lowerBoundById(List& observers, NotificationCenter::ObserverId id)
{
    return std::lower_bound(
        observers.begin(), observers.end(), id, [](const auto& observer, auto wanted) { return observer.id < wanted; });
}

} // namespace

void NotificationCenter::removeObserver(ObserverId id)
{
    const auto found = lowerBoundById(m_observers, id);
    if (found == m_observers.end() || found->id != id)
        return;
    const auto observers = m_idsByName.find(found->name);
    QList<ObserverId>& ids = observers->of(found->object);
    ids.removeOne(id);
    if (ids.isEmpty() && found->object)
        observers->byObject.remove(found->object);
    if (observers->ofAnyObject.isEmpty() && observers->byObject.isEmpty())
        m_idsByName.erase(observers);
    m_observers.erase(found);
}

const NotificationCenter::Observer* NotificationCenter::find(ObserverId id) const
{
    const auto found = lowerBoundById(m_observers, id);
    return found != m_observers.end() && found->id == id ? &*found : nullptr;
}

void NotificationCenter::Observers::collect(
    const NotificationSource* object, QVarLengthArray<QList<ObserverId>, 4>& lists) const
{
    if (!ofAnyObject.isEmpty())
        lists.append(ofAnyObject);
    if (!object)
        return;
    if (const auto found = byObject.constFind(object); found != byObject.constEnd())
        lists.append(*found);
}

QList<NotificationCenter::ObserverId> NotificationCenter::candidatesFor(
    const QString& name, const NotificationSource* object) const
{
    QVarLengthArray<QList<ObserverId>, 4> lists;
    const auto collectObserversOf = [&](const QString& observed) {
        if (const auto found = m_idsByName.constFind(observed); found != m_idsByName.constEnd())
            found->collect(object, lists);
    };
    collectObserversOf(QString());
    if (!name.isEmpty())
        collectObserversOf(name);
    // Mostly one list, shared rather than copied.
    if (lists.size() <= 1)
        return lists.isEmpty() ? QList<ObserverId>() : lists.front();
    QList<ObserverId> merged;
    for (const QList<ObserverId>& ids : lists)
        merged += ids;
    std::sort(merged.begin(), merged.end());
    return merged;
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
    // A bump posts once for every lesson it moves: the matching ids stay on
    // the stack.
    const QList<ObserverId> candidates = candidatesFor(name, object);
    QVarLengthArray<ObserverId, 64> ids;
    for (ObserverId id : candidates) {
        if (find(id)->matches(notification))
            ids.append(id);
    }
    for (ObserverId id : ids) {
        if (const Observer* observer = find(id)) {
            const std::shared_ptr<const Handler> handler = observer->handler; // survives its own removal
            (*handler)(notification);
        }
    }
}
