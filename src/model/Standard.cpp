#include "model/Standard.h"

#include "model/Lesson.h"
#include "model/StandardInLesson.h"
#include "model/StandardSeeds.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

#include <algorithm>

const QStringList& Standard::keysThatUpdateTime() const
{
    static const QStringList keys { QStringLiteral("shortName"), QStringLiteral("text") };
    return keys;
}

Year* Standard::owningYear() const
{
    for (const Standard* standard = this; standard; standard = standard->parent()) {
        if (Year* year = standard->object<Year>(u"year"))
            return year;
    }
    return nullptr;
}

QList<Standard*> Standard::sortedChildren() const
{
    QList<Standard*> list = children();
    std::stable_sort(
        list.begin(), list.end(), [](const Standard* a, const Standard* b) { return a->shortName() < b->shortName(); });
    return list;
}

Standard* Standard::childAtIndex(int index) const
{
    const QList<Standard*> list = sortedChildren();
    return index >= 0 && index < list.size() ? list.at(index) : nullptr;
}

QList<Standard*> Standard::selfAndChildren() const
{
    QList<Standard*> result { const_cast<Standard*>(this) };
    for (const Standard* child : sortedChildren())
        result += child->selfAndChildren();
    return result;
}

QList<Lesson*> Standard::getAllLessonsMatchingStandard() const
{
    QList<Lesson*> lessons;
    for (const Standard* standard : selfAndChildren()) {
        for (const StandardInLesson* link : standard->objects<StandardInLesson>(u"standardInLesson")) {
            if (Lesson* lesson = link->lesson())
                lessons.append(lesson);
        }
    }
    return lessons;
}

void Standard::dictForExportWithParent(const QString& parentSeed, QVariantList& intoArray, StandardSeeds& seeds) const
{
    const QString seed = seeds.next();
    QVariantMap entry { { QStringLiteral("text"), text() }, { QStringLiteral("seed"), seed },
        { QStringLiteral("parent"), parentSeed } };
    if (!shortName().isNull())
        entry.insert(QStringLiteral("shortName"), shortName());
    intoArray.append(entry);
    for (const Standard* child : sortedChildren())
        child->dictForExportWithParent(seed, intoArray, seeds);
}

void Standard::deleteSelf()
{
    for (Standard* child : children())
        child->deleteSelf();
    Year* year = owningYear();
    for (StandardInLesson* link : objects<StandardInLesson>(u"standardInLesson")) {
        if (year)
            year->addObjectToDeleteStack(*link, QStringLiteral("lesson_standard"));
        context().deleteObject(link);
    }
    if (year)
        year->addObjectToDeleteStack(*this, QStringLiteral("standard"));
    context().deleteObject(this);
}
