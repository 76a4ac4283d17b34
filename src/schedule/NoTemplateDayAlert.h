#pragma once

class AlertPresenter;
class QString;

// A day takes its schedule from another school day like it; when the year has
// none to copy, nothing changes and the teacher is told, under `title`.
namespace NoTemplateDayAlert {

void show(AlertPresenter& alerts, const QString& title);

} // namespace NoTemplateDayAlert
