#pragma once

// Anything that is posted as the object of a notification. A source names the
// scope it belongs to — for records, the object context of their document —
// so that an observer of one document can ignore what happens in another.
class NotificationSource {
public:
    virtual ~NotificationSource() = default;

    // The document scope of this object; nullptr for application-wide objects.
    virtual const void* notificationScope() const { return nullptr; }
};
