#pragma once

#include <QStringList>
#include <QtGlobal>

#include <cstring>

// Collects the messages of the SQLite layer's log category while alive.
class LogCapture {
public:
    LogCapture()
        : m_previous(qInstallMessageHandler(&LogCapture::handle))
    {
        s_current = this;
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;
    ~LogCapture()
    {
        s_current = nullptr;
        qInstallMessageHandler(m_previous);
    }

    const QStringList& messages() const { return m_messages; }
    void clear() { m_messages.clear(); }

private:
    static void handle(QtMsgType, const QMessageLogContext& context, const QString& message)
    {
        if (s_current && context.category && std::strcmp(context.category, "semestra.sqlite") == 0)
            s_current->m_messages << message;
    }

    inline static LogCapture* s_current = nullptr;
    QtMessageHandler m_previous;
    QStringList m_messages;
};
