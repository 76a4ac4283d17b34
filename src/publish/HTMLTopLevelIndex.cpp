#include "publish/HTMLTopLevelIndex.h"

#include "publish/HtmlText.h"
#include "publish/SitePage.h"

using HtmlText::escaped;

const QString HTMLTopLevelIndex::makerSite = QStringLiteral("https://www.semestra.org/");
const QString HTMLTopLevelIndex::untitled = QStringLiteral("Our Classes");

QString HTMLTopLevelIndex::buildHTML(const SiteSettings& settings, const QList<SiteCourse>& publishedCourses)
{
    const QString title = escaped(settings.mainTitle.trimmed().isEmpty() ? untitled : settings.mainTitle);
    QString body = QStringLiteral("<div id=\"header\">\n\t%1\n</div>").arg(title);
    if (!settings.introduction.trimmed().isEmpty())
        body += QStringLiteral("\n<div id=\"subheader\">\n\t%1\n</div>")
                    .arg(HtmlText::escapedLines(settings.introduction));
    body += QStringLiteral("\n<div id=\"courses\">");
    if (!publishedCourses.isEmpty()) {
        body += QStringLiteral("\n\t<ul>");
        for (const SiteCourse& course : publishedCourses) {
            body += QStringLiteral("\n\t\t<li><a href=\"%1\">%2</a></li>")
                        .arg(HtmlText::pathHref({ course.folder, QStringLiteral("index.html") }), escaped(course.name));
        }
        body += QStringLiteral("\n\t</ul>");
    }
    body += QStringLiteral("\n</div>\n<div id=\"footer\">");
    if (settings.showCredit)
        body += QStringLiteral("\n\tCreated with <a href=\"%1\">Semestra for Mac</a>").arg(makerSite);
    body += QStringLiteral("\n</div>");
    return SitePage::document(
        title, SitePage::themeStyleSheets(settings.theme, 0, { QStringLiteral("toplevel.css") }), {}, body);
}
