#pragma once

#include "gui/views/LessonBoxText.h"

#include <QFont>
#include <QHash>
#include <QStringList>

#include <list>
#include <memory>

class Lesson;
class QTextDocument;

// The composed and wrapped texts of lesson boxes, kept from one layout to the
// next. Reading a lesson's fields into a text and wrapping it is most of what
// laying out a week costs, and most redraws change no lesson's text.
//
// A text is kept until its lesson's text changes (forget), until texts are
// composed another way (setStyle), or until it is the least recently used of
// more than `capacity`. It is wrapped again only when asked for at another
// width.
//
// A forgotten text is kept a little longer under what it was made of: a bump
// moves each lesson's content to the next lesson of its course, which then
// shows the very text its neighbour showed, already composed and wrapped. The cache cannot see a lesson change by
// itself: whatever changes what a box shows (title, fields, assignments) must post the lesson's display-text
// notification, which the views pass on to forget().
//
// Boxes share their texts with the cache, so it serves one layout at a time:
// a later layout may wrap a kept text at another width.
class LessonBoxCache {
public:
    // Everything besides the lesson that goes into its text.
    struct Style {
        LessonBoxText::Options options;
        QFont font;
        // LessonBoxText::fieldLabels of the year.
        QStringList fieldLabels;

        bool operator==(const Style&) const = default;
    };

    // Enough for a few weeks of a full timetable.
    static constexpr qsizetype defaultCapacity = 600;

    explicit LessonBoxCache(qsizetype capacity = defaultCapacity);

    // Texts composed in another style are dropped.
    void setStyle(const Style& style);
    // The lesson's text wrapped at `width`, composed and wrapped only when
    // not kept so.
    std::shared_ptr<QTextDocument> text(const Lesson& lesson, double width);
    // The kept text when it is already wrapped at `width`; nothing otherwise,
    // and nothing is composed or wrapped.
    std::shared_ptr<QTextDocument> wrapped(const Lesson& lesson, double width);
    void forget(const Lesson* lesson);
    void clear();

    qsizetype size() const { return m_index.size(); }

private:
    struct Entry {
        const Lesson* lesson;
        LessonBoxText::Source source;
        std::shared_ptr<QTextDocument> text;
    };
    using Recent = std::list<Entry>;

    // The entry moved to the front of the recently used, or end().
    Recent::iterator use(const Lesson& lesson);
    // The text of a forgotten lesson that had this source, or a new one.
    std::shared_ptr<QTextDocument> textFor(const LessonBoxText::Source& source);

    qsizetype m_capacity;
    Style m_style;
    // Most recently used first.
    Recent m_recent;
    QHash<const Lesson*, Recent::iterator> m_index;
    using Forgotten = QHash<LessonBoxText::Source, std::shared_ptr<QTextDocument>>;
    // Forgotten texts by their source, in two generations of up to half the
    // capacity each: when the newer is full the older is dropped, so that
    // texts forgotten a moment ago are never dropped with the oldest.
    Forgotten m_forgotten;
    Forgotten m_forgottenBefore;
};
