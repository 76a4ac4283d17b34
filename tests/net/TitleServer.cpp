#include "TitleServer.h"

TitleServer::TitleServer()
{
    // Debian's interpreter: the first python3 on PATH may be a private one.
    m_process.start(QStringLiteral("/usr/bin/python3"), { QStringLiteral(SEMESTRA_TITLE_SERVER_SCRIPT) });
    if (!m_process.waitForReadyRead(10000))
        return;
    m_port = m_process.readLine().trimmed().toInt();
}

TitleServer::~TitleServer()
{
    m_process.kill();
    m_process.waitForFinished();
}
