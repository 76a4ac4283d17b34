#pragma once

#include "foundation/core/Result.h"

#include <functional>

class CommandLine;
class Lesson;
class Year;
struct CommandContext;

namespace LessonLookup {

// The meeting of --course on --date; --index picks among several meetings
// of the course on that day. With a prefix ("to-") the options are
// --to-course, --to-date and --to-index.
Result<Lesson*> findLesson(const CommandLine& line, const Year& year, const QString& prefix = {});

// Opens the file, applies the change to the lesson and saves; nothing is
// saved when any step fails.
Status changeLesson(const CommandLine& line, CommandContext& context, const std::function<void(Year&, Lesson&)>& change);

} // namespace LessonLookup
