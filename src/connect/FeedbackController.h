#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QStringList>

class AlertPresenter;
class SyncConnection;

// The state and commands of the send-feedback window, without widgets: the
// three section texts (bug, feature, support), the contact details and the
// post to the service's /feedback.
class FeedbackController : public QObject {
    Q_OBJECT
public:
    enum Section { Bug = 0, Feature = 1, Support = 2 };
    struct Contact {
        bool include = true;
        QString name;
        QString email;
    };
    using Fields = QList<QPair<QByteArray, QByteArray>>;

    static const QString sentTitle;
    static const QString failedTitle;
    static const QString noEmailTitle;
    static const QString suppressedProfile;

    FeedbackController(SyncConnection& connection, AlertPresenter& alerts, QObject* parent = nullptr);

    // The templates of the three sections, separated by "\n\n--\n\n".
    void setTemplates(const QString& templates);
    int section() const { return m_section; }
    QString sectionText(int section) const { return m_texts.value(section); }
    // Keeps the text of the section being left; answers the chosen one's.
    QString switchSection(int section, const QString& currentText);

    // The form as posted, in order; `email` and `name` only when given.
    Fields formFields(const QString& text, const Contact& contact, const QString& systemProfile) const;
    // Asks about a missing address first; false when the teacher cancels.
    // The post runs on the event loop; finished() tells how it ended, after
    // the alert saying so.
    bool send(const QString& text, const Contact& contact, const QString& systemProfile);
    // uname, the distribution, the Qt version, processors and memory.
    static QString systemProfile();

signals:
    void finished(bool sent);

private:
    SyncConnection& m_connection;
    AlertPresenter& m_alerts;
    QStringList m_texts { {}, {}, {} };
    int m_section = Bug;
};
