#include "server/web/SettingsPage.h"

#include "server/web/FormHtml.h"
#include "foundation/richtext/HtmlEscape.h"
#include "server/web/PageLayout.h"
#include "server/web/WebFormat.h"
#include "server/web/WebRoutes.h"

namespace {

QString route(const char* path)
{
    return QString::fromLatin1(path);
}

QString section(const QString& title, const QString& content)
{
    return QStringLiteral("<section class=\"card\"><h2>%1</h2>%2</section>").arg(title, content);
}

QString publicSwitch(const CourseView& course, const PageFrame& frame)
{
    const QString form
        = FormHtml::open(frame.href(WebRoutes::coursePublicSwitch(course.id)), frame.csrfToken, FormStyle::Inline)
        + FormHtml::hidden(
            route(WebRoutes::Field::publicLink), course.publicLinkOn ? QStringLiteral("off") : QStringLiteral("on"))
        + FormHtml::button(course.publicLinkOn ? QStringLiteral("Turn off") : QStringLiteral("Turn on"),
            course.publicLinkOn ? ButtonStyle::Secondary : ButtonStyle::Primary)
        + QStringLiteral("</form>");
    const QString address = course.publicLinkOn
        ? QStringLiteral("<div><a href=\"%1\">%2</a></div>")
              .arg(HtmlEscape::escaped(frame.href(WebRoutes::publicCourse(course.publicToken))),
                  HtmlEscape::escaped(frame.absoluteUrl(WebRoutes::publicCourse(course.publicToken))))
        : QStringLiteral("<div class=\"muted\">Only you can see this course.</div>");
    return QStringLiteral("<li><div><span class=\"course-name\">%1</span>%2</div>%3</li>")
        .arg(HtmlEscape::escaped(course.name), address, form);
}

QString publicLinks(const SettingsView& view, const PageFrame& frame)
{
    if (view.courses.isEmpty())
        return {};
    QString items;
    for (const CourseView& course : view.courses)
        items += publicSwitch(course, frame);
    return section(QStringLiteral("Public course pages"),
        QStringLiteral("<p class=\"muted\">A public page shows a course's published lessons, their homework, "
                       "comments, and published files and links to anyone who has its address.</p>"
                       "<ul class=\"plain courses\">%1</ul>")
            .arg(items));
}

QString desktopSession(const DesktopSessionView& session, const PageFrame& frame)
{
    const QString used = session.lastUsed ? QStringLiteral("last synced ") + WebFormat::dateTime(*session.lastUsed)
                                          : QStringLiteral("not used yet");
    return QStringLiteral("<li><div><span class=\"course-name\">%1</span><div class=\"muted\">allowed %2, %3</div>"
                          "</div>%4</li>")
        .arg(HtmlEscape::escaped(session.computerName), WebFormat::dateTime(session.created), used,
            FormHtml::open(frame.href(WebRoutes::revokeDesktopSession(session.id)), frame.csrfToken, FormStyle::Inline)
                + FormHtml::button(QStringLiteral("Revoke"), ButtonStyle::Secondary) + QStringLiteral("</form>"));
}

QString desktopSessions(const SettingsView& view, const PageFrame& frame)
{
    QString items;
    for (const DesktopSessionView& session : view.desktopSessions)
        items += desktopSession(session, frame);
    return section(QStringLiteral("Computers that sync"),
        items.isEmpty() ? QStringLiteral("<p class=\"muted\">No computer has been allowed to sync yet.</p>")
                        : QStringLiteral("<ul class=\"plain courses\">%1</ul>").arg(items));
}

QString passwordForm(const PageFrame& frame)
{
    return section(QStringLiteral("Change password"),
        FormHtml::open(frame.href(route(WebRoutes::changePassword)), frame.csrfToken)
            + FormHtml::input(QStringLiteral("Current password"), route(WebRoutes::Field::currentPassword),
                QStringLiteral("password"), {}, QStringLiteral("current-password"))
            + FormHtml::input(QStringLiteral("New password"), route(WebRoutes::Field::newPassword),
                QStringLiteral("password"), {}, QStringLiteral("new-password"))
            + FormHtml::input(QStringLiteral("New password again"), route(WebRoutes::Field::newPasswordAgain),
                QStringLiteral("password"), {}, QStringLiteral("new-password"))
            + FormHtml::button(QStringLiteral("Change password")) + QStringLiteral("</form>"));
}

QString signOutEverywhere(const PageFrame& frame)
{
    return section(QStringLiteral("Sign out everywhere"),
        QStringLiteral("<p>Ends every browser session of this account, this one too, and the sessions of the "
                       "computers that sync.</p>")
            + FormHtml::open(frame.href(route(WebRoutes::signOutEverywhere)), frame.csrfToken)
            + FormHtml::button(QStringLiteral("Sign out everywhere"), ButtonStyle::Secondary)
            + QStringLiteral("</form>"));
}

QString yearForms(const SettingsView& view, const PageFrame& frame)
{
    if (!view.hasYear) {
        return section(QStringLiteral("Your year"),
            QStringLiteral("<p class=\"muted\">No year is synced to this account. The next sync from Semestra "
                           "sends a new one.</p>"));
    }
    const QString purge = FormHtml::open(frame.href(route(WebRoutes::purgeYear)), frame.csrfToken)
        + QStringLiteral("<p><strong>Purge</strong> deletes the synced year from this service, so that a file can "
                         "be synced here anew. Your file in Semestra is not changed.</p>")
        + FormHtml::confirmation(QStringLiteral("Delete every lesson, file and link of this year from the service"))
        + FormHtml::button(QStringLiteral("Purge year"), ButtonStyle::Danger) + QStringLiteral("</form>");
    const QString archive = FormHtml::open(frame.href(route(WebRoutes::archiveYear)), frame.csrfToken)
        + QStringLiteral("<p><strong>Archive</strong> keeps the year as it is, read only, and frees the account "
                         "for next year's file.</p>")
        + FormHtml::confirmation(QStringLiteral("Archive this year; the next sync starts a new one"))
        + FormHtml::button(QStringLiteral("Archive year"), ButtonStyle::Secondary) + QStringLiteral("</form>");
    return section(QStringLiteral("Your year"), purge + QStringLiteral("<hr>") + archive);
}

QString deleteAccount(const SettingsView& view, const PageFrame& frame)
{
    return section(QStringLiteral("Delete account"),
        FormHtml::open(frame.href(route(WebRoutes::deleteAccount)), frame.csrfToken)
            + QStringLiteral("<p>Deletes the account, its years and files. This cannot be undone.</p>")
            + FormHtml::input(QStringLiteral("Password"), route(WebRoutes::Field::password), QStringLiteral("password"),
                {}, QStringLiteral("current-password"))
            + FormHtml::input(QStringLiteral("Type your user name, %1, to confirm").arg(view.username),
                route(WebRoutes::Field::confirmUsername), QStringLiteral("text"), {}, QStringLiteral("off"))
            + FormHtml::button(QStringLiteral("Delete account"), ButtonStyle::Danger) + QStringLiteral("</form>"));
}

QString messages(const SettingsView& view)
{
    QString html;
    if (view.notice)
        html += QStringLiteral("<p class=\"notice\" role=\"status\">%1</p>").arg(HtmlEscape::escaped(*view.notice));
    if (view.error)
        html += QStringLiteral("<p class=\"error\" role=\"alert\">%1</p>").arg(HtmlEscape::escaped(*view.error));
    return html;
}

} // namespace

namespace SettingsPage {

QString render(const SettingsView& view, const PageFrame& frame)
{
    const QString body = QStringLiteral("<h1>Personal settings</h1>") + messages(view) + publicLinks(view, frame)
        + desktopSessions(view, frame) + yearForms(view, frame) + passwordForm(frame) + signOutEverywhere(frame)
        + deleteAccount(view, frame);
    return PageLayout::render(frame, QStringLiteral("Settings"), body);
}

} // namespace SettingsPage
