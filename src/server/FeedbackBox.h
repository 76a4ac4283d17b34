#pragma once

#include "server/web/WebViews.h"

#include <QHash>
#include <QList>

#include <optional>

class Storage;

// What the desktop program's feedback window sends, kept for the administrators.
class FeedbackBox {
public:
    explicit FeedbackBox(Storage& storage);

    // The form's fields by name (feedbackType, feedback, appName, bundleID,
    // version, systemProfile, email, name); false when it cannot be stored.
    bool store(const QHash<QString, QString>& fields);
    // Newest first.
    std::optional<QList<FeedbackView>> list();

private:
    Storage& m_storage;
};
