#include "server/FeedbackBox.h"

#include "server/Storage.h"

#include <QDateTime>

FeedbackBox::FeedbackBox(Storage& storage)
    : m_storage(storage)
{ }

bool FeedbackBox::store(const QHash<QString, QString>& fields)
{
    QVariantList values { QDateTime::currentSecsSinceEpoch() };
    for (const char* name :
        { "feedbackType", "feedback", "appName", "bundleID", "version", "systemProfile", "email", "name" })
        values.append(fields.value(QString::fromLatin1(name)));
    return m_storage
        .run(QStringLiteral("INSERT INTO feedback (received_at, feedback_type, feedback, app_name, bundle_id, version,"
                            " system_profile, email, name) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            values)
        .has_value();
}

std::optional<QList<FeedbackView>> FeedbackBox::list()
{
    auto rows = m_storage.run(QStringLiteral("SELECT received_at, feedback_type, feedback, app_name, version,"
                                             " system_profile, email, name FROM feedback ORDER BY id DESC"));
    if (!rows)
        return std::nullopt;
    QList<FeedbackView> all;
    while (rows->next()) {
        FeedbackView view;
        view.received = QDateTime::fromSecsSinceEpoch(rows->value(0).toLongLong(), Qt::UTC);
        view.feedbackType = rows->value(1).toString();
        view.feedback = rows->value(2).toString();
        view.appName = rows->value(3).toString();
        view.version = rows->value(4).toString();
        view.systemProfile = rows->value(5).toString();
        view.email = rows->value(6).toString();
        view.name = rows->value(7).toString();
        all.append(view);
    }
    return all;
}
