#pragma once

#include "publish/SiteSnapshot.h"

// The site's first page: its title, the introduction and a link to each
// published course.
class HTMLTopLevelIndex {
public:
    // The address of the program's web site, for the credit line.
    static const QString makerSite;
    // The title a site without one goes by.
    static const QString untitled;

    static QString buildHTML(const SiteSettings& settings, const QList<SiteCourse>& publishedCourses);
};
