#pragma once

#include "cli/NewYearRequest.h"

#include <QList>
#include <QStringList>

class AlertPresenter;
class Course;
class Lesson;
class ObjectContext;
class Standard;
class Year;

// Fills every lesson of a built year the way a busy teacher would: field
// labels, course colours, web site settings, titles,
// styled and plain text in several fields, units, assignments with links,
// attached links and files, and standards linked to lessons. Choices come
// from the shared random source, so a seeded run always fills alike.
class DemoYearFiller {
public:
    explicit DemoYearFiller(Year& year);

    // Six subjects, each taught in `scale` sections.
    static QStringList courseNames(int scale);
    // A school year from the first Tuesday of September 2025 to mid-June,
    // taught Monday to Friday, with courseNames(scale).
    static NewYearRequest request(int scale);
    // Seeds the shared random source, so that every demo year comes out alike.
    static void seedRandomSource();
    // Seeds, builds request(scale) into the context and fills it; none when
    // the wizard refuses.
    static Year* buildYear(ObjectContext& context, AlertPresenter& alerts, int scale);

    void fill();

private:
    void setUpDisplay();
    void setUpPublishing();
    QList<Standard*> addStandards(const Course& course);
    void fillLesson(Lesson& lesson, int number, const QList<Standard*>& standards);
    void addAssignment(Lesson& lesson, int number);
    void attach(Lesson& lesson, int number);
    void linkStandard(Lesson& lesson, Standard& standard);

    Year& m_year;
    ObjectContext& m_context;
    Standard* m_root = nullptr;
};
