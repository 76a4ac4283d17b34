#pragma once

#include <QPixmap>
#include <QString>

class Lesson;
class ObjectContext;
class QMimeData;

// What a dragged lesson carries: a reference to the lesson record, good only
// inside the open document it came from (not in a copy of its file), the
// lesson's content as dictionary text
// for anywhere else, and the picture shown under the pointer.
class LessonDrag {
public:
    static const QString mimeType;

    static QMimeData* mimeDataFor(const Lesson* lesson);
    // The lesson the data refers to, if it is one of `context`'s records.
    static Lesson* lessonFrom(const QMimeData* data, const ObjectContext& context);
    // "Mathematics on\nNov 4, 2026" in white on a dark rounded label.
    static QPixmap dragImage(const Lesson* lesson);
};
