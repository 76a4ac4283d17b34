#pragma once

#include <QString>

// Names of the notifications the records post.
namespace ModelNotifications {
inline const QString lessonDisplayTextChanged = QStringLiteral("SemestraLessonDisplayTextChanged");
inline const QString courseColorChanged = QStringLiteral("SemestraCourseColorChanged");
inline const QString courseNameChanged = QStringLiteral("SemestraCourseNameChanged");
// Moving lesson content.
inline const QString lessonClicked = QStringLiteral("SemestraLessonClicked");
inline const QString refreshPlanningModes = QStringLiteral("SemestraRefreshPlanningModes");
inline const QString newUnitAdded = QStringLiteral("SMNewUnitAdded");
inline const QString lessonShouldUpdateSelf = QStringLiteral("SMLessonShouldUpdateSelf");
inline const QString lessonChanged = QStringLiteral("SMLessonChangedNotification");
} // namespace ModelNotifications
