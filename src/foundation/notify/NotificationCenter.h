#pragma once

#include "foundation/notify/Notification.h"

#include <QHash>
#include <QList>
#include <QVarLengthArray>

#include <cstdint>
#include <functional>
#include <memory>

// The application-wide notification centre: named notifications with an
// object, delivered synchronously to every matching observer in the order
// they were added. Observers may add or remove observers while handling.
class NotificationCenter {
public:
    using Handler = std::function<void(const Notification&)>;
    using ObserverId = std::uint64_t;

    static NotificationCenter& defaultCenter();

    NotificationCenter() = default;
    NotificationCenter(const NotificationCenter&) = delete;
    NotificationCenter& operator=(const NotificationCenter&) = delete;

    // An empty name observes every notification.
    ObserverId addObserver(const QString& name, Handler handler);
    // Only notifications whose object is `object`.
    ObserverId addObserver(const QString& name, const NotificationSource* object, Handler handler);
    // Ignores notifications whose object belongs to a scope other than `scope`;
    // notifications without an object or with an application-wide object pass.
    ObserverId addScopedObserver(const QString& name, const void* scope, Handler handler);
    void removeObserver(ObserverId id);

    void post(const QString& name, NotificationSource* object = nullptr, const QVariantMap& userInfo = {});

    int observerCount() const { return int(m_observers.size()); }

private:
    struct Observer {
        ObserverId id;
        QString name;
        const NotificationSource* object;
        const void* scope;
        // Shared so that a post keeps a handler alive through its own
        // removal without copying what it captured.
        std::shared_ptr<const Handler> handler;

        bool matches(const Notification& notification) const;
    };

    ObserverId add(const QString& name, const NotificationSource* object, const void* scope, Handler handler);
    const Observer* find(ObserverId id) const;
    // The observers of the name and those of every name, of any object or
    // of this one, in the order they were added: a post looks at these only,
    // not at every observer. A bump posts once for each of thousands of
    // lessons, most of which no observer of one lesson watches.
    QList<ObserverId> candidatesFor(const QString& name, const NotificationSource* object) const;

    // In the order they were added, which is the order of their ids.
    QList<Observer> m_observers;
    // The observers of one name (empty for every name), in id order.
    struct Observers {
        QList<ObserverId> ofAnyObject;
        QHash<const NotificationSource*, QList<ObserverId>> byObject;

        QList<ObserverId>& of(const NotificationSource* object) { return object ? byObject[object] : ofAnyObject; }
        // Those that hear a post for the object.
        void collect(const NotificationSource* object, QVarLengthArray<QList<ObserverId>, 4>& lists) const;
    };
    QHash<QString, Observers> m_idsByName;
    ObserverId m_nextId = 1;
};
