#pragma once

#include "model/ModelNotifications.h"

#include <QString>
#include <QStringList>

// Names of the notifications that tie the document window, its views and its
// side panels together. Records post their own (see ModelNotifications.h);
// these are posted by views and panels and handled by the window.
namespace PlanningNotifications {
inline const QString planningModesNeedRefresh = QStringLiteral("SemestraPlanningModesNeedRefresh");
inline const QString lessonClicked = QStringLiteral("SemestraLessonClicked");
inline const QString lessonSettingsClicked = QStringLiteral("SemestraLessonSettingsClicked");
inline const QString lessonDoubleClicked = QStringLiteral("SemestraLessonDoubleClicked");
inline const QString lessonClickedInEditingMode = QStringLiteral("SemestraLessonClickedInEditingMode");
inline const QString lessonSelectedFromSearch = QStringLiteral("SemestraLessonSelectedFromSearch");
inline const QString clearSelectedLesson = QStringLiteral("SemestraClearSelectedLesson");
inline const QString noLessonsClicked = QStringLiteral("SemestraNoLessonsClicked");
inline const QString nonSchoolSettingsClicked = QStringLiteral("SemestraNonSchoolSettingsClicked");
inline const QString switchToDayTools = QStringLiteral("SemestraSwitchToDayTools");
inline const QString makeNonSchoolDay = QStringLiteral("SemestraMakeNonSchoolDay");
inline const QString holidayNameChanged = QStringLiteral("SemestraHolidayNameChanged");
inline const QString courseAdded = QStringLiteral("SemestraCourseAdded");
inline const QString courseDoubleClicked = QStringLiteral("SemestraCourseDoubleClicked");
inline const QString coursesToDrawChanged = QStringLiteral("SemestraCoursesToDrawChanged");
inline const QString refreshCourseSourceList = QStringLiteral("SemestraRefreshCourseSourceList");
inline const QString gotoDate = QStringLiteral("SemestraGotoDate");
inline const QString gotoToday = QStringLiteral("SemestraGotoToday");
inline const QString selectDate = QStringLiteral("SemestraSelectDate");
inline const QString calendarDaySelected = QStringLiteral("calendarDaySelected");
inline const QString returnToPlanningMode = QStringLiteral("SemestraReturnToPlanningMode");
inline const QString closeReportView = QStringLiteral("SemestraCloseReportView");
inline const QString courseSourceListCourseViewPressed = QStringLiteral("SMCourseSourceListCourseViewPressed");

// What makes every planning view read its days again: display preferences,
// course visibility, colours and names, holiday names, added or removed
// courses.
inline const QStringList viewsNeedRedraw { planningModesNeedRefresh, coursesToDrawChanged,
    ModelNotifications::courseColorChanged, ModelNotifications::courseNameChanged, holidayNameChanged, courseAdded };
} // namespace PlanningNotifications
