#include "server/web/WebRoutes.h"

#include <QUrl>

namespace {

// Ids and tokens come from storage, but a path segment is encoded all the
// same: a "/" or "?" in one must not change which page a link opens.
QString segment(const QString& text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

QString fileSegments(const FileView& file)
{
    const QString resource
        = file.owner == FileOwner::Lesson ? QStringLiteral("attachfiles") : QStringLiteral("assignment_attachfiles");
    return u'/' + resource + u'/' + segment(file.id);
}

} // namespace

namespace WebRoutes {

QString course(const QString& courseId)
{
    return QLatin1String("/plan/courses/") + segment(courseId);
}

QString month(QDate anyDayOfMonth)
{
    return QLatin1String("/plan/month/") + anyDayOfMonth.toString(QStringLiteral("yyyy-MM"));
}

QString day(QDate date)
{
    return QLatin1String("/plan/day/") + date.toString(Qt::ISODate);
}

QString file(const FileView& file)
{
    return QLatin1String("/plan") + fileSegments(file);
}

QString publicCourse(const QString& publicToken)
{
    return QLatin1String("/public/") + segment(publicToken);
}

QString publicFile(const QString& publicToken, const FileView& file)
{
    return publicCourse(publicToken) + fileSegments(file);
}

QString coursePublicSwitch(const QString& courseId)
{
    return QLatin1String("/settings/courses/") + segment(courseId) + QLatin1String("/public");
}

QString revokeDesktopSession(const QString& sessionId)
{
    return QLatin1String("/settings/desktop-sessions/") + segment(sessionId) + QLatin1String("/revoke");
}

} // namespace WebRoutes
