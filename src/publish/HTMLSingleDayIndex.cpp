#include "publish/HTMLSingleDayIndex.h"

#include "publish/HtmlText.h"
#include "publish/SitePage.h"

#include <QFileInfo>

using HtmlText::escaped;

namespace {

QString wrapper(const QString& caption, const QString& text)
{
    return QStringLiteral("\n\t<div class=\"lessonWrapper\">\n\t\t<div class=\"lessonPrefix\">%1</div>"
                          "\n\t\t<div class=\"lessonText\">%2</div>\n\t</div>")
        .arg(caption, text);
}

// An address as a link when it may be followed, else as text.
QString webAddress(const QString& url)
{
    if (const std::optional<QString> href = HtmlText::linkHref(url))
        return QStringLiteral("<a href=\"%1\">%2</a>").arg(*href, escaped(url));
    return escaped(url);
}

QString fileType(const QString& name)
{
    const QString suffix = QFileInfo(name).suffix();
    return suffix.isEmpty() ? QStringLiteral("File") : suffix.toUpper();
}

} // namespace

HTMLSingleDayIndex::HTMLSingleDayIndex(const SiteSettings& settings, const SiteCourse& course, const SiteDayPage& page,
    const QString& monthFileName, const QString& monthLabel)
    : m_settings(settings)
    , m_course(course)
    , m_page(page)
    , m_monthFileName(monthFileName)
    , m_monthLabel(monthLabel)
{ }

QString HTMLSingleDayIndex::writeHTML() const
{
    const QString title = escaped(m_page.day->mediumDate) + QStringLiteral(" - ") + escaped(m_course.name);
    QString body = QStringLiteral("<div class=\"title\">\n\t%1").arg(title) + navigation() + QStringLiteral("\n</div>");
    for (const SiteLesson& lesson : m_page.courseDay->lessons)
        body += lessonHTML(lesson);
    return SitePage::document(title,
        SitePage::themeStyleSheets(m_settings.theme, 2, { QStringLiteral("Courses"), QStringLiteral("singleday.css") }),
        {}, body);
}

QString HTMLSingleDayIndex::navigation() const
{
    const auto dayLink = [](const QString& folder, const QString& label) {
        if (folder.isEmpty())
            return QString();
        return QStringLiteral("<a href=\"../%1\">%2</a>")
            .arg(HtmlText::pathHref({ folder, QStringLiteral("index.html") }), escaped(label));
    };
    const QString month = QStringLiteral("<a href=\"../%1\">%2 - %3</a>")
                              .arg(HtmlText::pathHref({ m_monthFileName + QStringLiteral(".html") }),
                                  escaped(m_course.name), escaped(m_monthLabel));
    return QStringLiteral("\n<table class=\"navigationTable\">\n\t<tr>\n"
                          "\t\t<td class=\"navLeft\">%1</td>\n"
                          "\t\t<td class=\"navCenter\">%2</td>\n"
                          "\t\t<td class=\"navRight\">%3</td>\n"
                          "\t</tr>\n</table>")
        .arg(dayLink(m_page.previousFolder, m_page.previousLabel), month, dayLink(m_page.nextFolder, m_page.nextLabel));
}

QString HTMLSingleDayIndex::lessonHTML(const SiteLesson& lesson) const
{
    QString html = QStringLiteral("\n<div class=\"lesson\">");
    if (!lesson.title.isEmpty())
        html += QStringLiteral("\n\t<div class=\"lessonTitle\">%1</div>").arg(escaped(lesson.title));
    for (size_t field = 0; field < size_t(publishedFieldCount); ++field) {
        const QString text = HtmlText::escapedLines(lesson.fields[field]);
        if (m_settings.publishField[field] && !text.isEmpty())
            html += wrapper(escaped(m_settings.captions[field]), text);
    }
    html += assignmentsBlock(QStringLiteral("Assigned Work:"), lesson.assigned);
    html += assignmentsBlock(QStringLiteral("Due Work:"), lesson.due);
    if (m_settings.publishFiles)
        html += handoutsBlock(lesson);
    if (m_settings.publishLinks)
        html += webLinksBlock(lesson);
    if (m_settings.publishStandards)
        html += standardsBlock(lesson);
    return html + QStringLiteral("\n</div>");
}

QString HTMLSingleDayIndex::assignmentsBlock(const QString& caption, const QList<SiteAssignment>& work) const
{
    if (work.isEmpty())
        return {};
    QString list = QStringLiteral("<dl>");
    for (const SiteAssignment& assignment : work) {
        if (!assignment.title.isEmpty())
            list += QStringLiteral("\n\t\t\t<dt>%1</dt>").arg(escaped(assignment.title));
        const QString details = HtmlText::escapedLines(assignment.details);
        if (!details.isEmpty())
            list += QStringLiteral("\n\t\t\t<dd>%1</dd>").arg(details);
        for (const SiteFile& file : assignment.files)
            list += QStringLiteral("\n\t\t\t<dd>%1</dd>").arg(fileLink(file));
        for (const SiteLink& link : assignment.links) {
            list += QStringLiteral("\n\t\t\t<dd>%1</dd>").arg(webAddress(link.url));
            if (!link.name.isEmpty())
                list += QStringLiteral("\n\t\t\t<dd>%1</dd>").arg(escaped(link.name));
        }
    }
    return wrapper(caption, list + QStringLiteral("\n\t\t</dl>"));
}

QString HTMLSingleDayIndex::handoutsBlock(const SiteLesson& lesson) const
{
    if (lesson.handouts.isEmpty())
        return {};
    QString list = QStringLiteral("<dl>");
    for (const SiteFile& file : lesson.handouts)
        list += QStringLiteral("\n\t\t\t<dt>%1</dt>\n\t\t\t<dd>%2</dd>").arg(fileLink(file), escaped(file.name));
    return wrapper(QStringLiteral("Handouts:"), list + QStringLiteral("\n\t\t</dl>"));
}

QString HTMLSingleDayIndex::webLinksBlock(const SiteLesson& lesson) const
{
    if (lesson.links.isEmpty())
        return {};
    QString list = QStringLiteral("<dl>");
    for (const SiteLink& link : lesson.links) {
        list += QStringLiteral("\n\t\t\t<dt>%1</dt>").arg(webAddress(link.url));
        if (!link.name.isEmpty())
            list += QStringLiteral("\n\t\t\t<dd>%1</dd>").arg(escaped(link.name));
    }
    return wrapper(QStringLiteral("Web Links:"), list + QStringLiteral("\n\t\t</dl>"));
}

QString HTMLSingleDayIndex::standardsBlock(const SiteLesson& lesson) const
{
    if (lesson.standards.isEmpty())
        return {};
    QString list = QStringLiteral("<dl>");
    for (const SiteStandard& standard : lesson.standards) {
        list += QStringLiteral("\n\t\t\t<dt><b>%1</b></dt>\n\t\t\t<dd>%2</dd>")
                    .arg(escaped(standard.shortName), escaped(standard.text));
    }
    return wrapper(QStringLiteral("Lesson Standards:"), list + QStringLiteral("\n\t\t</dl>"));
}

QString HTMLSingleDayIndex::fileLink(const SiteFile& file) const
{
    const QString copy = m_page.fileNames.value(&file);
    const QString text = escaped(fileType(copy) + QStringLiteral(": ") + QFileInfo(copy).completeBaseName());
    if (!m_page.availableFiles.contains(&file))
        return text;
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(HtmlText::pathHref({ copy }), text);
}
