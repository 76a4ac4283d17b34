#pragma once

#include "ModelFixture.h"
#include "ScheduleBuilder.h"
#include "foundation/richtext/RichText.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Unit.h"
#include "model/Year.h"
#include "testlib/ScriptedAlertPresenter.h"
#include "testlib/TemporaryPreferences.h"

// Math meets at 9:00 and Art at 10:00 on every weekday of two weeks from
// Sunday 1 March 2026, ten lessons each; the year ends on the last Friday.
class ContentFixture : public ModelFixture {
protected:
    ContentFixture()
    {
        for (int week = 0; week < 2; ++week) {
            for (int weekday = 1; weekday <= 5; ++weekday)
                days.append(b.day(week * 7 + weekday));
        }
        year()->setDate(u"endDate", days.last()->actualDate());
        math = b.course(QStringLiteral("Math"));
        art = b.course(QStringLiteral("Art"));
        lessons = b.lessonsOn(math, days, 9);
        artLessons = b.lessonsOn(art, days, 10);
        // Unit lists and the course list reload on notifications that name
        // no record.
        m_unscoped = NotificationCenter::defaultCenter().addObserver(QString(), [this](const Notification& n) {
            if (!n.object)
                postedWithoutObject << n.name;
        });
    }
    ~ContentFixture() override { NotificationCenter::defaultCenter().removeObserver(m_unscoped); }

    Year* year() const { return b.year(); }
    static void fill(Lesson* lesson, const QString& title)
    {
        lesson->setValue(u"lessonTitle", title);
        lesson->setValue(u"homework", RichText::fromPlainText(title + QStringLiteral(" homework")));
    }
    static QStringList titles(const QList<Lesson*>& list)
    {
        QStringList result;
        for (const Lesson* lesson : list)
            result.append(lesson->lessonTitle());
        return result;
    }
    // A unit of Math holding the lessons at the given places, titled "U<place>".
    Unit* unitOf(const QList<int>& places, const QString& name)
    {
        Unit* unit = math->addUnitWithName(name);
        for (int place : places) {
            fill(lessons[place], QStringLiteral("U%1").arg(place));
            lessons[place]->setObject(u"unit", unit);
        }
        return unit;
    }

    TemporaryPreferences preferences;
    ScriptedAlertPresenter alerts;
    ScheduleBuilder b { *context, 2026, 3, 1, 2 };
    QList<Day*> days;
    Course* math = nullptr;
    Course* art = nullptr;
    QList<Lesson*> lessons;
    QList<Lesson*> artLessons;
    QStringList postedWithoutObject;

private:
    NotificationCenter::ObserverId m_unscoped;
};
