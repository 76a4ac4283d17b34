#pragma once

#include "publish/SiteDayPage.h"

// One course's page for one day: each lesson with data with the fields the
// teacher publishes, the work given and due, handouts, web links and
// standards. The page only names its files; the generator copies them.
class HTMLSingleDayIndex {
public:
    HTMLSingleDayIndex(const SiteSettings& settings, const SiteCourse& course, const SiteDayPage& page,
        const QString& monthFileName, const QString& monthLabel);

    QString writeHTML() const;

private:
    QString navigation() const;
    QString lessonHTML(const SiteLesson& lesson) const;
    QString assignmentsBlock(const QString& caption, const QList<SiteAssignment>& work) const;
    QString handoutsBlock(const SiteLesson& lesson) const;
    QString webLinksBlock(const SiteLesson& lesson) const;
    QString standardsBlock(const SiteLesson& lesson) const;
    QString fileLink(const SiteFile& file) const;

    const SiteSettings& m_settings;
    const SiteCourse& m_course;
    const SiteDayPage& m_page;
    const QString m_monthFileName;
    const QString m_monthLabel;
};
