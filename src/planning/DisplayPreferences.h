#pragma once

#include <QString>
#include <QStringList>

// Keys of the display preferences. They live in the user's preferences, not
// in the document, so every open document shows them the same way.
namespace DisplayPreferences {
inline const QString showDaysVertically = QStringLiteral("SemestraShowDaysVertically");
inline const QString showDaysWithTimes = QStringLiteral("SemestraShowDaysWithTimes");
inline const QString showNotesView = QStringLiteral("SemestraShowNotesView");
inline const QString alwaysShowLessonTimes = QStringLiteral("SemestraAlwaysShowLessonTimes");
inline const QString showAssignmentsInLessonViews = QStringLiteral("SemestraShowAssignmentsInLessonViews");
inline const QString showCourseNamesInMonthView = QStringLiteral("SemestraShowCourseNamesInMonthView");
inline const QString useFixedFontSize = QStringLiteral("useFixedFontSize");
inline const QString fixedFontSize = QStringLiteral("fixedFontSize");
inline const QString rotatingNumbers = QStringLiteral("rotatingNumbers");

// The Boolean preferences a menu item toggles, in menu order.
const QStringList& toggles();
// Flip or set a Boolean preference and have every planning view redraw.
void toggle(const QString& key);
void setFlag(const QString& key, bool on);
// The size lesson text is drawn at while "useFixedFontSize" is on.
void setFixedFontSize(double pointSize);
} // namespace DisplayPreferences
