#pragma once

#include "publish/SiteSnapshot.h"

#include <QHash>

class Course;
class Lesson;
class PublishInfo;
class Year;

// Reads what a site shows from the records, one course at a time, on the
// thread that owns them. A course is read in a few milliseconds, so that a
// window publishing in the background stays responsive between reads.
class SiteSnapshotReader {
public:
    explicit SiteSnapshotReader(const Year& year);

    // The year's settings; a year without publishing settings (imported
    // from the Windows edition) publishes with empty ones.
    static SiteSettings settings(const Year& year);
    // The days of both ranges and every course with its folder.
    SiteFrame readFrame(const SiteSettings& settings);
    // The course's lessons with data; none when the course is gone.
    std::optional<SiteCoursePlan> readCourse(const SiteCourse& course) const;

private:
    SiteLesson readLesson(const Lesson& lesson, bool wholeLesson) const;

    const Year& m_year;
    SiteSettings m_settings;
    QHash<qint64, int> m_dayIndexByKey;
};
