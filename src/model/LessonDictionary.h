#pragma once

#include <QVariantMap>

#include <functional>
#include <optional>

class Assignment;
class Course;
class Lesson;

// The one transfer form of a lesson's content: copy and paste, drags, unit
// and course export and the lesson library all write and read it here.
//
// A dictionary can arrive as text from any program, so reading takes only
// the keys this form defines, each only with its own value type; anything
// else (a foreign "syncID" or "lastUpdated", a title given as a number) is
// ignored and never reaches a record.
namespace LessonDictionary {

QVariantMap write(const Lesson& lesson);
// Empties the lesson, then fills it from the dictionary.
void read(const QVariantMap& dictionary, Lesson& lesson);
// The root of a course export file for the given lessons, in their order.
// `written` hears the number of lessons written so far, for a progress bar.
QVariantMap writeCourse(
    const Course& course, const QList<Lesson*>& lessons, const std::function<void(qsizetype written)>& written = {});

// The transfer dictionary as old-style property-list text, and back; none
// when the text is not a dictionary.
QString toText(const QVariantMap& dictionary);
std::optional<QVariantMap> fromText(const QString& text);

} // namespace LessonDictionary
