#pragma once

class AlertPresenter;
class Lesson;

// The lesson settings panel's command that takes one course's meeting off
// its day, which becomes a custom day.
namespace RemoveLessonFromDay {

enum class Content { Bump, Delete };

// Asks first: bump or delete when the lesson holds content, a plain
// confirmation otherwise. False when the user cancelled.
bool cancelLessonPressed(Lesson& lesson, AlertPresenter& alerts);
// The change itself, without questions and without telling the views.
void remove(Lesson& lesson, Content content);

} // namespace RemoveLessonFromDay
