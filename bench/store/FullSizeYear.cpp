#include "FullSizeYear.h"

#include "foundation/dates/LocalCalendar.h"
#include "foundation/richtext/RichText.h"
#include "model/SemestraRecords.h"

namespace {

QByteArray paragraph(const QString& subject, int n)
{
    return RichText::fromPlainText(
        QStringLiteral("%1, lesson %2: warm-up questions, guided practice on the board, then pairs work through "
                       "the exercises on pages %3–%4 while I check in with each table.")
            .arg(subject)
            .arg(n)
            .arg(n * 2)
            .arg(n * 2 + 3));
}

} // namespace

std::unique_ptr<ObjectContext> FullSizeYear::build() const
{
    auto context = SemestraRecords::newContext();
    ManagedObject* year = context->insertObject(QStringLiteral("Year"));
    QList<ManagedObject*> courseRecords;
    for (int c = 0; c < courses; ++c) {
        ManagedObject* course = context->insertObject(QStringLiteral("MyCourse"));
        course->setValue(u"courseName", QStringLiteral("Course %1").arg(c + 1));
        course->setValue(u"courseNumber", c);
        course->setObject(u"year", year);
        courseRecords.append(course);
    }
    QList<ManagedObject*> standardRecords;
    for (int s = 0; s < standards; ++s) {
        ManagedObject* standard = context->insertObject(QStringLiteral("Standard"));
        standard->setValue(u"shortName", QStringLiteral("STD.%1").arg(s));
        standard->setValue(u"text", QStringLiteral("Students can explain idea number %1 in their own words.").arg(s));
        standard->setObject(u"year", year);
        standard->setObject(u"parent", standardRecords.isEmpty() ? nullptr : standardRecords[s / 10]);
        standardRecords.append(standard);
    }

    const Date firstDay = LocalCalendar::dateFromComponents({ 2026, 9, 6, 0, 0, 0 }); // a Sunday
    ManagedObject* week = nullptr;
    QList<ManagedObject*> currentUnits(courses, nullptr);
    for (int d = 0; d < schoolDays; ++d) {
        if (d % 5 == 0) {
            week = context->insertObject(QStringLiteral("Week"));
            week->setValue(u"weekNumber", d / 5 + 1);
            week->setObject(u"year", year);
        }
        ManagedObject* day = context->insertObject(QStringLiteral("Day"));
        day->setDate(u"actualDate", LocalCalendar::addingDays(firstDay, (d / 5) * 7 + d % 5 + 1));
        day->setObject(u"week", week);
        for (int c = 0; c < courses; ++c) {
            if (d % 20 == 0) {
                currentUnits[c] = context->insertObject(QStringLiteral("Unit"));
                currentUnits[c]->setValue(u"unitName", QStringLiteral("Unit %1").arg(d / 20 + 1));
                currentUnits[c]->setObject(u"course", courseRecords[c]);
                currentUnits[c]->setObject(u"year", year);
            }
            ManagedObject* lesson = context->insertObject(QStringLiteral("Lesson"));
            const QString subject = QStringLiteral("Course %1").arg(c + 1);
            lesson->setValue(u"lessonTitle", QStringLiteral("%1 — day %2").arg(subject).arg(d + 1));
            lesson->setValue(u"lessonBody", paragraph(subject, d));
            lesson->setValue(u"homework", paragraph(subject, d + 1));
            lesson->setValue(u"publicComment", paragraph(subject, d + 2));
            lesson->setValue(u"lessonPosition", c);
            lesson->setObject(u"dayTaught", day);
            lesson->setObject(u"course", courseRecords[c]);
            lesson->setObject(u"unit", currentUnits[c]);
            if (d % 3 == 0) {
                ManagedObject* assignment = context->insertObject(QStringLiteral("Assignment"));
                assignment->setValue(u"title", QStringLiteral("Exercises %1").arg(d));
                assignment->setObject(u"assignedLesson", lesson);
                assignment->setObject(u"dueLesson", lesson);
            }
            if (d % 4 == 0) {
                ManagedObject* link = context->insertObject(QStringLiteral("AttachedWebLink"));
                link->setValue(u"name", QStringLiteral("Reading"));
                link->setValue(u"URL", QStringLiteral("https://example.org/reading/%1").arg(d));
                link->setObject(u"lesson", lesson);
            }
            if (d % 7 == 0) {
                ManagedObject* link = context->insertObject(QStringLiteral("StandardInLesson"));
                link->setObject(u"lesson", lesson);
                link->setObject(u"standard", standardRecords[(d + c) % standardRecords.size()]);
            }
        }
    }
    return context;
}
