#include "cli/DemoYearFiller.h"
#include "foundation/dates/LocalCalendar.h"
#include "foundation/notify/NotificationCenter.h"
#include "gui/views/DayColumnsCanvas.h"
#include "gui/views/DayView.h"
#include "gui/views/WeekView.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/SemestraRecords.h"
#include "model/Week.h"
#include "model/Year.h"
#include "store/ObjectContext.h"
#include "testlib/FixedClock.h"
#include "testlib/LocalDate.h"
#include "testlib/ScriptedAlertPresenter.h"
#include "testlib/TemporaryPreferences.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

// The demo year the command line builds, with meeting times and the field
// settings a teacher would have chosen, looked at through the day and week
// views. The pictures are written for a person to look at.
class DayAndWeekViewScreenshotTest : public testing::Test {
protected:
    DayAndWeekViewScreenshotTest()
    {
        m_year = DemoYearFiller::buildYear(*m_context, m_alerts, 1);
        m_week = m_year->getWeekWithDate(local(2025, 10, 8));
        for (Day* day : m_week->daysInOrder())
            giveMeetingTimes(*day);
        decorateWeek();
    }

    // Periods of 50 minutes from 8:00 with 5 minutes between; on Wednesday
    // the third period starts 30 minutes early, over the second.
    void giveMeetingTimes(Day& day)
    {
        const bool wednesday = LocalCalendar::weekday(day.actualDate()) == 4;
        int minute = 8 * 60;
        int period = 0;
        for (Lesson* lesson : day.lessonsInOrder()) {
            const int start = minute - (wednesday && period == 2 ? 30 : 0);
            lesson->setDate(u"startTime", day.actualDate().addingSeconds(start * 60.0));
            lesson->setDate(u"endTime", day.actualDate().addingSeconds((start + 50) * 60.0));
            minute += 55;
            ++period;
        }
    }

    void decorateWeek()
    {
        const QList<Day*> days = m_week->daysInOrder();
        days[0]->setValue(u"notes", QStringLiteral("Fire drill during second period. Collect field trip forms."));
        days[0]->lessonsInOrder()[1]->setValue(u"anchored", true);
        days[4]->removeAllLessons();
        days[4]->setValue(u"isHoliday", true);
        days[4]->setValue(u"holidayName", QStringLiteral(" Teacher Planning Day "));
        m_year->courses().last()->setValue(u"draw", 0);
        m_selected = days[1]->lessonsToDrawInOrder()[2];
    }

    void save(QWidget& view, DayColumnsCanvas& canvas, const QString& name) const
    {
        view.show();
        // The scroll area sets its bars up when its layout request arrives.
        QCoreApplication::processEvents();
        NotificationCenter::defaultCenter().post(QStringLiteral("SemestraLessonClicked"), m_selected);
        const QString folder = QStringLiteral(SEMESTRA_SCREENSHOT_DIR);
        ASSERT_TRUE(QDir().mkpath(folder));
        const QImage image = view.grab().toImage();
        ASSERT_TRUE(image.save(folder + QLatin1Char('/') + name));
        const DayColumnsLayout::LessonBox* box = canvas.dayColumnsLayout()->boxOf(m_selected);
        ASSERT_NE(box, nullptr);
        // Left of the course name, the band shows the course colour itself.
        const QPoint inBand(int(box->bandRect.left()) + 4, int(box->bandRect.center().y()));
        const QColor shown = image.pixelColor(inBand);
        const QColor course = m_selected->course()->color();
        EXPECT_LE(std::abs(shown.red() - course.red()) + std::abs(shown.green() - course.green())
                + std::abs(shown.blue() - course.blue()),
            3)
            << name.toStdString();
    }

    TemporaryPreferences m_preferences;
    FixedClock m_clock { local(2025, 10, 7, 9) };
    std::unique_ptr<ObjectContext> m_context = SemestraRecords::newContext();
    ScriptedAlertPresenter m_alerts;
    Year* m_year = nullptr;
    Week* m_week = nullptr;
    Lesson* m_selected = nullptr;
};

TEST_F(DayAndWeekViewScreenshotTest, DayView)
{
    m_preferences.preferences().setValue(QStringLiteral("SemestraAlwaysShowLessonTimes"), true);
    DayView view;
    view.resize(760, 900);
    view.setDay(m_year, m_selected->dayTaught());
    save(view, *view.canvas(), QStringLiteral("day-view.png"));
}

TEST_F(DayAndWeekViewScreenshotTest, WeekViewSideBySide)
{
    WeekView view;
    view.resize(1200, 800);
    view.setWeek(m_year, m_week);
    save(view, *view.canvas(), QStringLiteral("week-view.png"));
}

TEST_F(DayAndWeekViewScreenshotTest, WeekViewVertical)
{
    m_preferences.preferences().setValue(QStringLiteral("SemestraShowDaysVertically"), true);
    WeekView view;
    view.resize(1200, 800);
    view.setWeek(m_year, m_week);
    save(view, *view.canvas(), QStringLiteral("week-view-vertical.png"));
}

TEST_F(DayAndWeekViewScreenshotTest, WeekViewWithTimes)
{
    m_preferences.preferences().setValue(QStringLiteral("SemestraShowDaysWithTimes"), true);
    m_preferences.preferences().setValue(QStringLiteral("SemestraAlwaysShowLessonTimes"), true);
    WeekView view;
    view.resize(1200, 800);
    view.setWeek(m_year, m_week);
    const Day* wednesday = m_week->daysInOrder()[2];
    EXPECT_GT(wednesday->lessonsMeetingAtSameTimeAs(wednesday->lessonsInOrder()[2]), 0);
    save(view, *view.canvas(), QStringLiteral("week-view-times.png"));
}
