#pragma once

#include "foundation/notify/NotificationSource.h"

#include <QString>
#include <QVariantMap>

struct Notification {
    QString name;
    NotificationSource* object = nullptr;
    QVariantMap userInfo;

    const void* scope() const { return object ? object->notificationScope() : nullptr; }

    // The object as the type the observer expects, or nullptr if it is another kind.
    template <typename T> T* objectAs() const { return dynamic_cast<T*>(object); }
};
