#pragma once

#include <QList>
#include <QStringList>

class Course;
class Lesson;
class ObjectContext;
class Standard;
class Year;

// Fills every lesson of a built year the way a busy teacher would: field
// labels, course colours, titles,
// styled and plain text in several fields, units, assignments with links,
// attached links and files, and standards linked to lessons. Choices come
// from the shared random source, so a seeded run always fills alike.
class DemoYearFiller {
public:
    explicit DemoYearFiller(Year& year);

    // Six subjects, each taught in `scale` sections.
    static QStringList courseNames(int scale);

    void fill();

private:
    void setUpDisplay();
    QList<Standard*> addStandards(const Course& course);
    void fillLesson(Lesson& lesson, int number, const QList<Standard*>& standards);
    void addAssignment(Lesson& lesson, int number);
    void attach(Lesson& lesson, int number);
    void linkStandard(Lesson& lesson, Standard& standard);

    Year& m_year;
    ObjectContext& m_context;
    Standard* m_root = nullptr;
};
