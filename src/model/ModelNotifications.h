#pragma once

#include <QString>

// Names of the notifications the records post.
namespace ModelNotifications {
inline const QString lessonDisplayTextChanged = QStringLiteral("SemestraLessonDisplayTextChanged");
inline const QString courseColorChanged = QStringLiteral("SemestraCourseColorChanged");
inline const QString courseNameChanged = QStringLiteral("SemestraCourseNameChanged");
} // namespace ModelNotifications
