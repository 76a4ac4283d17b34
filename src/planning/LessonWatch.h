#pragma once

#include "foundation/notify/ObserverBag.h"

#include <functional>

class Lesson;

// Tells a panel that shows one lesson when the lesson may have changed under
// it: a field or the title edited elsewhere, the content replaced (paste,
// drop, template, unit copy, clear) or moved by a bump, its day changed. The
// panel then compares what it shows with the lesson and reloads only what
// differs, so that the field being typed into keeps its caret and its undo
// when the change came from that very field. A deleted lesson is not
// reported: whoever shows it moves on to another.
class LessonWatch {
public:
    // Watches the lesson from now on; none stops watching.
    void watch(Lesson* lesson, std::function<void()> changed);

private:
    ObserverBag m_observers;
};
