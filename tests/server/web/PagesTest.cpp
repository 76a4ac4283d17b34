#include "SampleViews.h"
#include "server/web/CoursePage.h"
#include "server/web/CoursesPage.h"
#include "server/web/DayPage.h"
#include "server/web/DesktopLoginPage.h"
#include "server/web/ErrorPage.h"
#include "server/web/FeedbackListPage.h"
#include "server/web/LoginPage.h"
#include "server/web/MonthPage.h"
#include "server/web/PublicCoursePage.h"
#include "server/web/SettingsPage.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// A string with every character that could break out of text or an attribute.
const QString hostile = QStringLiteral("Fish & Chips <2> <script>alert(1)</script> \" onmouseover=\"x\" 'q'");
const QString hostileEscaped = QStringLiteral("Fish &amp; Chips &lt;2&gt; &lt;script&gt;alert(1)&lt;/script&gt; "
                                              "&quot; onmouseover=&quot;x&quot; &#39;q&#39;");

LessonView hostileLesson()
{
    LessonView lesson = SampleViews::lesson(QStringLiteral("a/b?c"), hostile, QDate(2025, 10, 14), hostile);
    lesson.unit = hostile;
    lesson.homework = hostile;
    lesson.published = true;
    lesson.assignments.append({ hostile, hostile, QDate(2025, 10, 20),
        { { QStringLiteral("1\"x"), hostile, 10, true, FileOwner::Assignment } },
        { { hostile, hostile, hostile, true } } });
    lesson.files.append({ QStringLiteral("2"), hostile, 10, true, FileOwner::Lesson });
    lesson.links.append({ hostile, QStringLiteral("javascript:alert(1)"), hostile, true });
    return lesson;
}

PageFrame hostileFrame()
{
    PageFrame frame = SampleViews::teacherFrame();
    frame.username = hostile;
    frame.csrfToken = QStringLiteral("\"><script>t</script>");
    frame.administrator = true;
    return frame;
}

// Every page, each filled with the hostile string wherever a user's text goes.
QStringList everyPageWithHostileText()
{
    const PageFrame frame = hostileFrame();
    CourseView course = SampleViews::course(QStringLiteral("x\"/y"), hostile, true);
    course.publicToken = hostile;
    course.lessons.append(hostileLesson());
    DayPageView day;
    day.day.date = QDate(2025, 10, 14);
    day.day.notes = hostile;
    day.day.lessons.append(hostileLesson());
    day.titles = { hostile, hostile, hostile, hostile, hostile, hostile };
    MonthView month = SampleViews::october();
    month.days.first().notes = hostile;
    month.days.first().lessons.append(hostileLesson());
    SettingsView settings = SampleViews::settings();
    settings.username = hostile;
    settings.courses = { course };
    settings.desktopSessions.append({ hostile, hostile, QDateTime(QDate(2025, 9, 1), QTime(8, 0)), {} });
    settings.notice = hostile;
    settings.error = hostile;
    const FeedbackView feedback { QDateTime(QDate(2025, 10, 1), QTime(9, 0)), hostile, hostile, hostile, hostile,
        hostile, hostile, hostile, hostile };
    return { LoginPage::render({ hostile, hostile, hostile, hostile }, frame),
        CoursesPage::render({ QDate(2025, 9, 2), QDate(2026, 6, 19), { course } }, frame),
        CoursePage::render({ day.titles, course }, frame), PublicCoursePage::render({ day.titles, course }, frame),
        DayPage::render(day, frame), MonthPage::render(month, frame), SettingsPage::render(settings, frame),
        DesktopLoginPage::render({ hostile, hostile }, frame), FeedbackListPage::render({ feedback }, frame),
        ErrorPage::render(404, hostile, frame) };
}

QStringList formsOf(const QString& page)
{
    QStringList forms;
    static const QRegularExpression form(
        QStringLiteral("<form[^>]*>.*?</form>"), QRegularExpression::DotMatchesEverythingOption);
    for (auto it = form.globalMatch(page); it.hasNext();)
        forms << it.next().captured();
    return forms;
}

QString formPostingTo(const QString& page, const QString& action)
{
    for (const QString& form : formsOf(page)) {
        if (form.contains(QStringLiteral("action=\"%1\"").arg(action)))
            return form;
    }
    return {};
}

bool has(const QString& page, const QString& text)
{
    return page.contains(text);
}

} // namespace

TEST(PagesTest, EveryUserStringIsEscapedOnEveryPage)
{
    static const QRegularExpression href(QStringLiteral("(?:href|action)=\"([^\"]*)\""));
    for (const QString& page : everyPageWithHostileText()) {
        EXPECT_FALSE(page.contains(QStringLiteral("<script"))) << page.toStdString();
        EXPECT_FALSE(page.contains(QStringLiteral("\" onmouseover=\""))) << page.toStdString();
        for (auto it = href.globalMatch(page); it.hasNext();) {
            const QString target = it.next().captured(1);
            EXPECT_TRUE(target.startsWith(QStringLiteral("/connect/")) || target.startsWith(QStringLiteral("https://")))
                << target.toStdString();
        }
        EXPECT_FALSE(page.contains(QStringLiteral("Chips <2>"))) << page.toStdString();
        EXPECT_TRUE(page.contains(QStringLiteral("Fish &amp; Chips &lt;2&gt;"))) << page.toStdString();
    }
}

TEST(PagesTest, ACourseNamedWithMarkupShowsAsTyped)
{
    const PageFrame frame = SampleViews::teacherFrame();
    const QString day = DayPage::render(SampleViews::dayPage(), frame);
    EXPECT_TRUE(has(day, QStringLiteral("<h2>Fish &amp; Chips &lt;2&gt;</h2>")));
    EXPECT_TRUE(has(day, QStringLiteral("<div>Batter &lt;script&gt;alert(1)&lt;/script&gt;</div>")));
    const QString settings = SettingsPage::render(SampleViews::settings(), frame);
    EXPECT_TRUE(has(settings, QStringLiteral("<span class=\"course-name\">Fish &amp; Chips &lt;2&gt;</span>")));
    const QString hostilePage = everyPageWithHostileText().at(5);
    EXPECT_TRUE(has(hostilePage, hostileEscaped)) << hostilePage.toStdString();
}

TEST(PagesTest, EveryFormPostsWithTheSessionsToken)
{
    const PageFrame frame = SampleViews::teacherFrame();
    const QStringList pages { SettingsPage::render(SampleViews::settings(), frame),
        DesktopLoginPage::render({ QStringLiteral("req-1"), QStringLiteral("classroom-imac") }, frame),
        DayPage::render(SampleViews::dayPage(), frame), MonthPage::render(SampleViews::october(), frame),
        ErrorPage::render(403, QStringLiteral("Not your year."), frame) };
    int formCount = 0;
    for (const QString& page : pages) {
        for (const QString& form : formsOf(page)) {
            ++formCount;
            EXPECT_TRUE(form.startsWith(QStringLiteral("<form method=\"post\""))) << form.toStdString();
            EXPECT_EQ(form.count(QStringLiteral("<input type=\"hidden\" name=\"csrf_token\" value=\"tok3n-AB\">")), 1)
                << form.toStdString();
        }
    }
    // Settings: 3 public switches, 2 revokes, purge, archive, password, sign out everywhere, delete; plus
    // the sign-out form of the bar on each of the five pages; the desktop confirmation's one form.
    EXPECT_EQ(formCount, 10 + 5 + 1);
}

TEST(PagesTest, DestructiveFormsAskForConfirmation)
{
    const QString page = SettingsPage::render(SampleViews::settings(), SampleViews::teacherFrame());
    const QString confirm = QStringLiteral("name=\"confirm\" value=\"yes\" required");
    EXPECT_TRUE(has(formPostingTo(page, QStringLiteral("/connect/settings/purge")), confirm));
    EXPECT_TRUE(has(formPostingTo(page, QStringLiteral("/connect/settings/archive")), confirm));
    const QString deletion = formPostingTo(page, QStringLiteral("/connect/settings/delete-account"));
    EXPECT_TRUE(has(deletion, QStringLiteral("name=\"password\"")));
    EXPECT_TRUE(has(deletion, QStringLiteral("name=\"confirm_username\"")));
    EXPECT_TRUE(has(deletion, QStringLiteral("Type your user name, mrivera, to confirm")));
}

TEST(PagesTest, SettingsWithoutAYearOfferNoPurgeOrArchive)
{
    SettingsView view = SampleViews::settings();
    view.hasYear = false;
    const QString page = SettingsPage::render(view, SampleViews::teacherFrame());
    EXPECT_TRUE(formPostingTo(page, QStringLiteral("/connect/settings/purge")).isEmpty());
    EXPECT_TRUE(formPostingTo(page, QStringLiteral("/connect/settings/archive")).isEmpty());
    EXPECT_TRUE(has(page, QStringLiteral("No year is synced to this account.")));
}

TEST(PagesTest, PublicLinkSwitchAsksForTheOtherState)
{
    const QString page = SettingsPage::render(SampleViews::settings(), SampleViews::teacherFrame());
    const QString on = formPostingTo(page, QStringLiteral("/connect/settings/courses/7/public"));
    EXPECT_TRUE(has(on, QStringLiteral("name=\"public\" value=\"off\"")));
    EXPECT_TRUE(has(on, QStringLiteral(">Turn off</button>")));
    EXPECT_TRUE(has(page, QStringLiteral("https://school.example/connect/public/pub-7-x7Qz")));
    const QString off = formPostingTo(page, QStringLiteral("/connect/settings/courses/8/public"));
    EXPECT_TRUE(has(off, QStringLiteral("name=\"public\" value=\"on\"")));
    EXPECT_FALSE(has(page, QStringLiteral("/public/pub-8-x7Qz")));
}

TEST(PagesTest, LoginFormHasTheFieldsScriptsPost)
{
    PageFrame visitor = SampleViews::teacherFrame();
    visitor.username.reset();
    const QString page = LoginPage::render(
        { QStringLiteral("pre-session"), QStringLiteral("mrivera"), QStringLiteral("/desktop/confirm?request=r1"),
            QStringLiteral("Wrong user name or password.") },
        visitor);
    const QString form = formPostingTo(page, QStringLiteral("/connect/login"));
    EXPECT_TRUE(has(form, QStringLiteral("name=\"csrf_token\" value=\"pre-session\"")));
    EXPECT_TRUE(has(form, QStringLiteral("type=\"text\" name=\"username\" value=\"mrivera\"")));
    EXPECT_TRUE(has(form, QStringLiteral("type=\"password\" name=\"password\"")));
    EXPECT_TRUE(has(form, QStringLiteral("name=\"next\" value=\"/desktop/confirm?request=r1\"")));
    EXPECT_TRUE(has(page, QStringLiteral("<p class=\"error\" role=\"alert\">Wrong user name or password.</p>")));
    EXPECT_FALSE(has(page, QStringLiteral("Sign out"))) << "a visitor has no bar of sections";
}

TEST(PagesTest, LayoutIsMobileFriendlyAndKeepsTheBasePath)
{
    const QString page = ErrorPage::render(404, QStringLiteral("No such day."), SampleViews::teacherFrame());
    EXPECT_TRUE(page.startsWith(QStringLiteral("<!DOCTYPE html>")));
    EXPECT_TRUE(has(page, QStringLiteral("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">")));
    EXPECT_TRUE(has(page, QStringLiteral("<link rel=\"stylesheet\" href=\"/connect/connect.css\">")));
    EXPECT_TRUE(has(page, QStringLiteral("<h1>Page not found</h1>")));
    EXPECT_TRUE(has(page, QStringLiteral("No such day.")));
    EXPECT_FALSE(has(page, QStringLiteral("style=")));
    EXPECT_FALSE(has(page, QStringLiteral("<script")));
    PageFrame root = SampleViews::teacherFrame();
    root.baseUrl = QStringLiteral("http://127.0.0.1:8080/");
    EXPECT_TRUE(has(ErrorPage::render(400, {}, root), QStringLiteral("href=\"/connect.css\"")));
    EXPECT_TRUE(has(ErrorPage::render(400, {}, root), QStringLiteral("<h1>Bad request</h1>")));
    EXPECT_TRUE(has(ErrorPage::render(403, {}, root), QStringLiteral("<h1>Not allowed</h1>")));
}

TEST(PagesTest, NavigationMarksTheCurrentSectionAndShowsFeedbackToAdministratorsOnly)
{
    const QString teacher
        = SettingsPage::render(SampleViews::settings(), SampleViews::teacherFrame(NavSection::Settings));
    EXPECT_TRUE(has(teacher, QStringLiteral("<a href=\"/connect/settings\" class=\"current\" aria-current=\"page\">")));
    EXPECT_FALSE(has(teacher, QStringLiteral("/connect/admin/feedback")));
    PageFrame admin = SampleViews::teacherFrame();
    admin.administrator = true;
    EXPECT_TRUE(has(FeedbackListPage::render({}, admin), QStringLiteral("href=\"/connect/admin/feedback\"")));
}

TEST(PagesTest, DayPageShowsEveryFieldSanitizedWithItsCaption)
{
    const QString page = DayPage::render(SampleViews::dayPage(), SampleViews::teacherFrame());
    for (const char* caption : { "Lesson Plan", "Homework", "For Students", "Materials", "Reflection" })
        EXPECT_TRUE(has(page, QStringLiteral("<h3>%1</h3>").arg(QLatin1String(caption)))) << caption;
    EXPECT_FALSE(has(page, QStringLiteral("<h3>Differentiation</h3>"))) << "an emptied field has no heading";
    EXPECT_TRUE(has(page, QStringLiteral("<p><b>Warm-up:</b> what keeps a cell together?</p>")));
    EXPECT_TRUE(has(page, QStringLiteral("8:05 AM \u2013 8:55 AM")));
    EXPECT_TRUE(has(page, QStringLiteral("Unit: Cells")));
    EXPECT_TRUE(has(page, QStringLiteral("Fire drill during second period.")));
    EXPECT_TRUE(has(page, QStringLiteral("href=\"/connect/plan/attachfiles/13\" download>answer-key.pdf</a>")))
        << "the teacher sees unpublished files";
    EXPECT_TRUE(has(page, QStringLiteral("href=\"/connect/plan/assignment_attachfiles/9\" download>")));
    EXPECT_TRUE(has(page, QStringLiteral("(3.4 MB)")));
    EXPECT_TRUE(has(page, QStringLiteral("Teacher forum")));
    EXPECT_TRUE(
        has(page, QStringLiteral("<strong>Osmosis lab report</strong> <span class=\"muted\">due Tue, Oct 21</span>")));
    EXPECT_TRUE(has(page, QStringLiteral("Two pages, with your graph.<br>Use the template.")));
    EXPECT_TRUE(has(page, QStringLiteral("rel=\"prev\">\u2039 Fri, Oct 10</a>")));
}

TEST(PagesTest, PublicPageShowsOnlyPublishedLessonsAndWhatIsMeantForStudents)
{
    CoursePageView view { SampleViews::titles(),
        SampleViews::course(QStringLiteral("7"), QStringLiteral("Biology"), true) };
    view.course.lessons.append(SampleViews::biologyLesson());
    LessonView draft = SampleViews::lesson(
        QStringLiteral("7"), QStringLiteral("Biology"), QDate(2025, 10, 15), QStringLiteral("Unannounced quiz"));
    draft.homework = QStringLiteral("<p>Secret</p>");
    view.course.lessons.append(draft);
    PageFrame visitor = SampleViews::teacherFrame();
    visitor.username.reset();
    const QString page = PublicCoursePage::render(view, visitor);
    EXPECT_TRUE(has(page, QStringLiteral("Cell membranes and transport")));
    EXPECT_TRUE(has(page, QStringLiteral("<h2>Tuesday, October 14, 2025</h2>")));
    EXPECT_FALSE(has(page, QStringLiteral("Unannounced quiz")));
    EXPECT_FALSE(has(page, QStringLiteral("Secret")));
    EXPECT_FALSE(has(page, QStringLiteral("Warm-up"))) << "the lesson body is the teacher's";
    EXPECT_FALSE(has(page, QStringLiteral("Keep the lab shorter"))) << "custom fields are the teacher's";
    EXPECT_TRUE(has(page, QStringLiteral("Bring a lab coat on Thursday.")));
    EXPECT_FALSE(has(page, QStringLiteral("answer-key.pdf")));
    EXPECT_FALSE(has(page, QStringLiteral("Teacher forum")));
    EXPECT_TRUE(has(page, QStringLiteral("href=\"/connect/public/pub-7-x7Qz/attachfiles/12\"")));
    EXPECT_TRUE(has(page, QStringLiteral("href=\"/connect/public/pub-7-x7Qz/assignment_attachfiles/9\"")));
    EXPECT_FALSE(has(page, QStringLiteral("/plan/"))) << "a visitor gets no link into the teacher's pages";

    view.course.lessons.first().published = false;
    EXPECT_TRUE(has(PublicCoursePage::render(view, visitor), QStringLiteral("No lessons have been shared yet.")));
}

TEST(PagesTest, CoursePagesListLessonsAndLinkToTheirDays)
{
    const PageFrame frame = SampleViews::teacherFrame();
    CoursePageView view { SampleViews::titles(),
        SampleViews::course(QStringLiteral("a/b"), QStringLiteral("Biology"), false) };
    view.course.lessons.append(SampleViews::biologyLesson());
    view.course.lessons.append(
        SampleViews::lesson(QStringLiteral("a/b"), QStringLiteral("Biology"), QDate(2025, 10, 15), {}));
    const QString page = CoursePage::render(view, frame);
    EXPECT_TRUE(has(page, QStringLiteral("<a href=\"/connect/plan/day/2025-10-14\">Tue, Oct 14</a>")));
    EXPECT_TRUE(has(page, QStringLiteral("No title")));
    EXPECT_FALSE(has(page, QStringLiteral("Public page:")));
    const QString courses = CoursesPage::render({ QDate(2025, 9, 2), QDate(2026, 6, 19), { view.course } }, frame);
    EXPECT_TRUE(has(courses, QStringLiteral("href=\"/connect/plan/courses/a%2Fb\"")));
    EXPECT_TRUE(has(CoursesPage::render({}, frame), QStringLiteral("Nothing has been synced yet.")));
}

TEST(PagesTest, DesktopConfirmationAsksAndPostsTheRequest)
{
    const QString page = DesktopLoginPage::render(
        { QStringLiteral("req-1"), QStringLiteral("classroom-imac") }, SampleViews::teacherFrame());
    EXPECT_TRUE(has(page, QStringLiteral("<h1>Allow Semestra on this computer to sync?</h1>")));
    const QString form = formPostingTo(page, QStringLiteral("/connect/desktop/confirm"));
    EXPECT_TRUE(has(form, QStringLiteral("name=\"request\" value=\"req-1\"")));
    EXPECT_TRUE(has(form, QStringLiteral("name=\"decision\" value=\"allow\"")));
    EXPECT_TRUE(has(form, QStringLiteral("name=\"decision\" value=\"deny\"")));
    EXPECT_TRUE(has(DesktopLoginPage::renderDecided(DesktopDecision::Denied, SampleViews::teacherFrame()),
        QStringLiteral("not allowed to sync")));
}

TEST(PagesTest, FeedbackListShowsSenderAndMessage)
{
    PageFrame admin = SampleViews::teacherFrame();
    admin.administrator = true;
    const FeedbackView bug { QDateTime(QDate(2025, 10, 1), QTime(9, 30)), {}, QStringLiteral("BUG"),
        QStringLiteral("Crash on save\nevery time"), QStringLiteral("Semestra"), QStringLiteral("4.2"),
        QStringLiteral("<systemProfile suppressed>"), {}, {} };
    const QString page = FeedbackListPage::render({ bug }, admin);
    EXPECT_TRUE(has(page, QStringLiteral("<strong>anonymous</strong>")));
    EXPECT_TRUE(has(page, QStringLiteral("Crash on save<br>every time")));
    EXPECT_TRUE(has(page, QStringLiteral("&lt;systemProfile suppressed&gt;")));
    EXPECT_TRUE(has(FeedbackListPage::render({}, admin), QStringLiteral("No feedback has been sent yet.")));
}
