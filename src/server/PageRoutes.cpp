#include "server/PageRoutes.h"

#include "server/CourseLinks.h"
#include "server/FeedbackBox.h"
#include "server/RouteContext.h"
#include "server/YearSnapshot.h"
#include "server/web/CoursePage.h"
#include "server/web/CoursesPage.h"
#include "server/web/DayPage.h"
#include "server/web/FeedbackListPage.h"
#include "server/web/MonthPage.h"
#include "server/web/PublicCoursePage.h"
#include "server/web/SettingsPage.h"
#include "server/web/StyleSheet.h"
#include "server/web/WebRoutes.h"

#include <QDateTime>
#include <QUrl>

#include <httplib.h>

namespace {

using httplib::Request;
using httplib::Response;

using PageHandler = void (*)(Services&, const Request&, Response&, const Session&);

QString matched(const Request& req, int index)
{
    return QString::fromStdString(req.matches[index]);
}

// A page for the signed-in teacher; a browser without a session is sent to
// the login form and brought back afterwards.
void installPage(httplib::Server& http, Services& services, const std::string& pattern, PageHandler handler)
{
    http.Get(pattern, [&services, handler](const Request& req, Response& res) {
        const auto session = Route::session(services, req);
        if (!session)
            return Route::redirect(res,
                QStringLiteral("/login?next=")
                    + QString::fromLatin1(QUrl::toPercentEncoding(QString::fromStdString(req.path))));
        handler(services, req, res, *session);
    });
}

// The account's year with its courses' public links; an account without a
// year gets an empty one.
std::optional<YearSnapshot> snapshotOf(Services& services, const Account& account)
{
    auto snapshot = YearSnapshot::load(services.records, account);
    if (snapshot)
        snapshot->setCourseLinks(services.links.ofAccount(account.id));
    return snapshot;
}

void notFound(Services& services, Response& res, const Session& session, const QString& what)
{
    Route::errorPage(services, res, 404, what, session);
}

void courses(Services& services, const Request&, Response& res, const Session& session)
{
    const auto snapshot = snapshotOf(services, session.account);
    Route::page(res, 200,
        CoursesPage::render(
            snapshot ? snapshot->year() : YearView {}, Route::frame(services, session, NavSection::Courses)));
}

void course(Services& services, const Request& req, Response& res, const Session& session)
{
    const auto snapshot = snapshotOf(services, session.account);
    const auto view = snapshot ? snapshot->course(matched(req, 1).toLongLong()) : std::nullopt;
    if (!view)
        return notFound(services, res, session, QStringLiteral("There is no such course in your year."));
    Route::page(res, 200, CoursePage::render(*view, Route::frame(services, session, NavSection::Courses)));
}

// Today's month or day when the year has it, else the year's nearest day.
QDate nearestDay(Services& services, const Session& session)
{
    const auto snapshot = snapshotOf(services, session.account);
    const QDate today = QDate::currentDate();
    return snapshot ? snapshot->nearestDay(today).value_or(today) : today;
}

void month(Services& services, const Request& req, Response& res, const Session& session)
{
    const QDate first = QDate::fromString(matched(req, 1) + QStringLiteral("-01"), QStringLiteral("yyyy-MM-dd"));
    const auto snapshot = snapshotOf(services, session.account);
    if (!first.isValid() || !snapshot)
        return notFound(services, res, session, QStringLiteral("There is no such month in your year."));
    Route::page(
        res, 200, MonthPage::render(snapshot->month(first), Route::frame(services, session, NavSection::Month)));
}

void day(Services& services, const Request& req, Response& res, const Session& session)
{
    const QDate date = QDate::fromString(matched(req, 1), QStringLiteral("yyyy-MM-dd"));
    const auto snapshot = snapshotOf(services, session.account);
    const auto view = snapshot && date.isValid() ? snapshot->day(date) : std::nullopt;
    if (!view)
        return notFound(services, res, session, QStringLiteral("That day is not a day of your year."));
    Route::page(res, 200, DayPage::render(*view, Route::frame(services, session, NavSection::Day)));
}

std::optional<QString> noticeFor(const QString& done)
{
    if (done == QLatin1String("password"))
        return QStringLiteral("Password changed.");
    if (done == QLatin1String("archived"))
        return QStringLiteral("The year was archived. The next sync sends the year anew.");
    if (done == QLatin1String("purged"))
        return QStringLiteral("The year was purged. The next sync sends the year anew.");
    return std::nullopt;
}

void settings(Services& services, const Request& req, Response& res, const Session& session)
{
    SettingsView view;
    view.username = session.account.username;
    view.hasYear = session.account.yearId >= 0;
    if (const auto snapshot = snapshotOf(services, session.account))
        view.courses = snapshot->courses();
    for (const Session& other : services.accounts.sessions(session.account.id).value_or(QList<Session>())) {
        if (other.kind == SessionKind::Desktop)
            view.desktopSessions.append({ QString::number(other.id), other.label,
                QDateTime::fromSecsSinceEpoch(other.createdAt, Qt::UTC), std::nullopt });
    }
    view.notice = noticeFor(Route::param(req, "done"));
    Route::page(res, 200, SettingsPage::render(view, Route::frame(services, session, NavSection::Settings)));
}

void switchPublicLink(Services& services, const Request& req, Response& res, const Session& session)
{
    const bool on = Route::param(req, WebRoutes::Field::publicLink) == QLatin1String("on");
    if (!services.links.set(session.account, matched(req, 1).toLongLong(), on))
        return notFound(services, res, session, QStringLiteral("There is no such course in your year."));
    Route::redirect(res, QStringLiteral("/settings"));
}

void revokeDesktop(Services& services, const Request& req, Response& res, const Session& session)
{
    if (!services.accounts.revokeSession(session.account.id, matched(req, 1).toLongLong()))
        return notFound(services, res, session, QStringLiteral("There is no such computer."));
    Route::redirect(res, QStringLiteral("/settings"));
}

void feedbackList(Services& services, const Request&, Response& res, const Session& session)
{
    if (!session.account.administrator)
        return Route::errorPage(services, res, 403, QStringLiteral("Only administrators read the feedback."), session);
    const auto all = FeedbackBox(services.storage).list();
    if (!all)
        return Route::errorPage(services, res, 500, QStringLiteral("The feedback could not be read."), session);
    Route::page(res, 200, FeedbackListPage::render(*all, Route::frame(services, session, NavSection::Feedback)));
}

// A public course page shows what its lessons publish, and its files only
// when they are published too.
std::optional<CoursePageView> publicCourse(Services& services, const QString& token)
{
    const auto shared = services.links.find(token);
    if (!shared)
        return std::nullopt;
    auto snapshot = snapshotOf(services, shared->owner);
    return snapshot ? snapshot->course(shared->courseId) : std::nullopt;
}

bool publishes(const CoursePageView& view, const QString& resource, const QString& fileId)
{
    const auto matches = [&](const FileView& file) {
        const QString kind = file.owner == FileOwner::Lesson ? QStringLiteral("attachfiles")
                                                             : QStringLiteral("assignment_attachfiles");
        return file.id == fileId && kind == resource && file.published;
    };
    for (const LessonView& lesson : view.course.lessons) {
        if (!lesson.published)
            continue;
        if (std::any_of(lesson.files.begin(), lesson.files.end(), matches))
            return true;
        for (const AssignmentView& assignment : lesson.assignments) {
            if (std::any_of(assignment.files.begin(), assignment.files.end(), matches))
                return true;
        }
    }
    return false;
}

void installPublic(httplib::Server& http, Services& services)
{
    http.Get(R"(/public/([0-9a-f]{64}))", [&services](const Request& req, Response& res) {
        const auto view = publicCourse(services, matched(req, 1));
        if (!view)
            return Route::errorPage(services, res, 404, QStringLiteral("This course is not shared."));
        Route::page(res, 200, PublicCoursePage::render(*view, Route::frame(services, std::nullopt)));
    });
    http.Get(R"(/public/([0-9a-f]{64})/(attachfiles|assignment_attachfiles)/(\d{1,18}))",
        [&services](const Request& req, Response& res) {
            const auto view = publicCourse(services, matched(req, 1));
            if (!view || !publishes(*view, matched(req, 2), matched(req, 3)))
                return Route::errorPage(services, res, 404, QStringLiteral("This file is not shared."));
            Route::sendFile(services, res, services.links.find(matched(req, 1))->owner, matched(req, 2),
                matched(req, 3).toLongLong());
        });
}

} // namespace

void PageRoutes::install(httplib::Server& http, Services& services)
{
    http.Get(WebRoutes::styleSheet, [](const Request&, Response& res) {
        res.set_header("Cache-Control", "max-age=3600");
        res.set_content(StyleSheet::css().toStdString(), "text/css; charset=utf-8");
    });
    installPage(http, services, WebRoutes::home, courses);
    installPage(http, services, R"(/plan/courses/(\d{1,18}))", course);
    installPage(http, services, WebRoutes::currentMonth,
        [](Services& s, const Request&, Response& res, const Session& session) {
            Route::redirect(res, WebRoutes::month(nearestDay(s, session)));
        });
    installPage(http, services, R"(/plan/month/(\d{4}-\d{2}))", month);
    installPage(
        http, services, WebRoutes::today, [](Services& s, const Request&, Response& res, const Session& session) {
            Route::redirect(res, WebRoutes::day(nearestDay(s, session)));
        });
    installPage(http, services, R"(/plan/day/(\d{4}-\d{2}-\d{2}))", day);
    installPage(http, services, R"(/plan/(attachfiles|assignment_attachfiles)/(\d{1,18}))",
        [](Services& s, const Request& req, Response& res, const Session& session) {
            Route::sendFile(s, res, session.account, matched(req, 1), matched(req, 2).toLongLong());
        });
    installPage(http, services, WebRoutes::settings, settings);
    installPage(http, services, WebRoutes::feedbackList, feedbackList);
    http.Post(R"(/settings/courses/(\d{1,18})/public)",
        Route::withForm(services, [&services](const Request& req, Response& res, const Session& session) {
            switchPublicLink(services, req, res, session);
        }));
    http.Post(R"(/settings/desktop-sessions/(\d{1,18})/revoke)",
        Route::withForm(services, [&services](const Request& req, Response& res, const Session& session) {
            revokeDesktop(services, req, res, session);
        }));
    installPublic(http, services);
}
