#include "server/web/LessonHtml.h"

#include "foundation/richtext/HtmlEscape.h"
#include "server/web/HtmlSanitizer.h"
#include "server/web/SafeUrl.h"
#include "server/web/WebFormat.h"
#include "server/web/WebRoutes.h"

#include <QList>
#include <QRegularExpression>

#include <utility>

namespace {

QString caption(const QString& title, const char* fallback)
{
    return title.trimmed().isEmpty() ? QString::fromLatin1(fallback) : title;
}

QList<std::pair<QString, const QString*>> shownFields(const LessonView& lesson, const LessonContext& context)
{
    const FieldTitles& t = context.titles;
    if (context.audience == Audience::Public) {
        return { { caption(t.homework, "Homework"), &lesson.homework },
            { caption(t.publicComment, "Comments"), &lesson.publicComment } };
    }
    return { { caption(t.lessonBody, "Lesson"), &lesson.lessonBody },
        { caption(t.homework, "Homework"), &lesson.homework },
        { caption(t.publicComment, "Comments"), &lesson.publicComment },
        { caption(t.custom1, "Custom 1"), &lesson.custom1 }, { caption(t.custom2, "Custom 2"), &lesson.custom2 },
        { caption(t.custom3, "Custom 3"), &lesson.custom3 } };
}

// Rich-text writers send an emptied field as a paragraph holding a line
// break; such a field gets no heading. Only sanitized HTML comes here, in
// which every "<" opens a tag.
bool hasVisibleText(const QString& safeHtml)
{
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    return !QString(safeHtml).remove(tags).trimmed().isEmpty();
}

QString fields(const LessonView& lesson, const LessonContext& context)
{
    QString html;
    for (const auto& [title, field] : shownFields(lesson, context)) {
        const QString safe = HtmlSanitizer::sanitized(*field);
        if (!hasVisibleText(safe))
            continue;
        html += QStringLiteral("<h3>%1</h3><div class=\"field\">%2</div>").arg(HtmlEscape::escaped(title), safe);
    }
    return html;
}

bool shown(bool published, const LessonContext& context)
{
    return published || context.audience == Audience::Teacher;
}

// The teacher sees which attachments the public page leaves out.
QString privateMark(bool published)
{
    return published ? QString() : QStringLiteral(" <span class=\"badge\">Not published</span>");
}

QString fileItem(const FileView& file, const LessonContext& context)
{
    const QString route = context.audience == Audience::Public ? WebRoutes::publicFile(context.publicToken, file)
                                                               : WebRoutes::file(file);
    return QStringLiteral("<li><a href=\"%1\" download>%2</a> <span class=\"muted\">(%3)</span>%4</li>")
        .arg(HtmlEscape::escaped(context.frame.href(route)), HtmlEscape::escaped(file.name),
            WebFormat::fileSize(file.sizeBytes), privateMark(file.published));
}

// A link whose address is not a web or mail address shows its name and
// address as text: the teacher still sees what was attached.
QString linkItem(const WebLinkView& link)
{
    const QString name = HtmlEscape::escaped(link.name.isEmpty() ? link.url : link.name);
    const std::optional<QString> href = SafeUrl::linkHref(link.url);
    QString html = href
        ? QStringLiteral("<li><a href=\"%1\" rel=\"noopener noreferrer nofollow\">%2</a>")
              .arg(HtmlEscape::escaped(*href), name)
        : QStringLiteral("<li>%1 <span class=\"muted\">%2</span>").arg(name, HtmlEscape::escaped(link.url));
    if (!link.notes.isEmpty())
        html += QStringLiteral(" <span class=\"muted\">\u2013 %1</span>").arg(HtmlEscape::escaped(link.notes));
    return html + privateMark(link.published) + QStringLiteral("</li>");
}

QString attachments(const QList<FileView>& files, const QList<WebLinkView>& links, const LessonContext& context)
{
    QString items;
    for (const FileView& file : files) {
        if (shown(file.published, context))
            items += fileItem(file, context);
    }
    for (const WebLinkView& link : links) {
        if (shown(link.published, context))
            items += linkItem(link);
    }
    return items.isEmpty() ? QString() : QStringLiteral("<ul class=\"attachments\">%1</ul>").arg(items);
}

QString assignments(const LessonView& lesson, const LessonContext& context)
{
    if (lesson.assignments.isEmpty())
        return {};
    QString html = QStringLiteral("<h3>Assignments</h3>");
    for (const AssignmentView& assignment : lesson.assignments) {
        const QString due = assignment.dueDate
            ? QStringLiteral(" <span class=\"muted\">due %1</span>").arg(WebFormat::shortDate(*assignment.dueDate))
            : QString();
        const QString description = assignment.description.trimmed().isEmpty()
            ? QString()
            : QStringLiteral("<div>%1</div>").arg(HtmlEscape::escapedLines(assignment.description.trimmed()));
        html += QStringLiteral("<div class=\"assignment\"><strong>%1</strong>%2%3%4</div>")
                    .arg(HtmlEscape::escaped(assignment.title), due, description,
                        attachments(assignment.files, assignment.links, context));
    }
    return html;
}

QString heading(const LessonView& lesson, const LessonContext& context)
{
    const QString name = context.heading == LessonHeading::Course ? HtmlEscape::escaped(lesson.courseName)
                                                                  : WebFormat::longDate(lesson.date);
    const QString title = lesson.title.trimmed().isEmpty()
        ? QString()
        : QStringLiteral("<div>%1</div>").arg(HtmlEscape::escaped(lesson.title));
    QStringList meta;
    if (const QString times = WebFormat::timeRange(lesson.startTime, lesson.endTime); !times.isEmpty())
        meta << times;
    if (!lesson.unit.isEmpty())
        meta << QStringLiteral("Unit: ") + HtmlEscape::escaped(lesson.unit);
    return QStringLiteral("<header><div><h2>%1</h2>%2</div><div class=\"meta\">%3</div></header>")
        .arg(name, title, meta.join(QStringLiteral("<br>")));
}

} // namespace

namespace LessonHtml {

QString render(const LessonView& lesson, const LessonContext& context)
{
    const QString files = attachments(lesson.files, lesson.links, context);
    const QString attached = files.isEmpty() ? QString() : QStringLiteral("<h3>Files and links</h3>") + files;
    return QStringLiteral("<article class=\"card lesson\">%1%2%3%4</article>")
        .arg(heading(lesson, context), fields(lesson, context), assignments(lesson, context), attached);
}

} // namespace LessonHtml
