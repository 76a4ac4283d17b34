#include "content/LessonContentController.h"

#include "foundation/alerts/AlertPresenter.h"
#include "foundation/notify/NotificationCenter.h"
#include "foundation/pasteboard/Pasteboard.h"
#include "foundation/plist/PlistValue.h"
#include "foundation/plist/PropertyList.h"
#include "model/Course.h"
#include "model/Lesson.h"
#include "model/LessonDictionary.h"
#include "model/Unit.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

const QString LessonContentController::lessonsType = QStringLiteral("application/x-semestra-lessons");

namespace {

void post(const QString& name, NotificationSource* object = nullptr)
{
    NotificationCenter::defaultCenter().post(name, object);
}

// The first lesson copied; none when the clipboard holds no lessons.
std::optional<QVariantMap> copiedLesson()
{
    const Result<QVariant> parsed
        = PropertyList::readXml(Pasteboard::general().data(LessonContentController::lessonsType));
    if (!parsed || PlistValue::kind(*parsed) != PlistValue::Kind::Array)
        return std::nullopt;
    const QVariantList lessons = parsed->toList();
    if (lessons.isEmpty() || PlistValue::kind(lessons.first()) != PlistValue::Kind::Dictionary)
        return std::nullopt;
    return lessons.first().toMap();
}

} // namespace

LessonContentController::LessonContentController(AlertPresenter& alerts)
    : m_alerts(alerts)
{ }

void LessonContentController::clearLesson(Lesson* lesson)
{
    if (!lesson)
        return;
    lesson->wipe();
    lesson->setStartAndEndTime();
    post(ModelNotifications::lessonDisplayTextChanged, lesson);
    post(PlanningNotifications::planningModesNeedRefresh);
}

void LessonContentController::bumpLesson(Lesson* lesson)
{
    if (lesson && lesson->year())
        lesson->year()->bumpLesson(lesson);
}

void LessonContentController::pullLessonsBack(Lesson* lesson)
{
    if (!lesson || !lesson->year())
        return;
    lesson->year()->pullLessonsBack(lesson);
    // Editing mode lists the course's lessons by their content.
    post(ModelNotifications::refreshPlanningModes, lesson);
    post(PlanningNotifications::planningModesNeedRefresh);
}

bool LessonContentController::clearAllLessons(Year& year)
{
    const int answer = m_alerts.runModal(Alert { QStringLiteral("Clear All Lesson Information?"),
        QStringLiteral("You are about to remove all entered lesson information.  Please be sure that you have a "
                       "backup of your lesson plans before continuing."),
        QStringLiteral("Clear All Lessons"), {}, QStringLiteral("Cancel") });
    if (answer != AlertDefaultReturn)
        return false;
    for (Lesson* lesson : year.getAllLessons()) {
        lesson->wipe();
        lesson->setStartAndEndTime();
    }
    post(PlanningNotifications::planningModesNeedRefresh);
    return true;
}

// Without a lesson the clipboard keeps what it holds: an earlier copy is
// not thrown away by a copy that had nothing to copy.
void LessonContentController::copyLesson(const Lesson* lesson)
{
    if (!lesson)
        return;
    const QVariantMap dictionary = lesson->dictionaryForExport();
    Pasteboard::general().setItems({ { lessonsType, PropertyList::writeXml(QVariantList { dictionary }) },
        { Pasteboard::StringType, LessonDictionary::toText(dictionary).toUtf8() } });
}

bool LessonContentController::canPasteLesson() const
{
    return Pasteboard::general().hasType(lessonsType);
}

bool LessonContentController::pasteLesson(Lesson* lesson)
{
    return lesson && importDictionary(lesson, copiedLesson());
}

void LessonContentController::toggleLock(Lesson* lesson)
{
    if (!lesson)
        return;
    lesson->setValue(u"anchored", !lesson->isAnchored());
    post(ModelNotifications::lessonDisplayTextChanged, lesson);
}

void LessonContentController::removeFromUnit(Lesson* lesson)
{
    if (!lesson || !lesson->unit())
        return;
    lesson->setObject(u"unit", nullptr);
    post(PlanningNotifications::refreshCourseSourceList);
}

bool LessonContentController::dropLesson(Lesson* target, const Lesson* dropped)
{
    if (!target || !dropped || target == dropped || &target->context() != &dropped->context())
        return false;
    target->copyUserInformationFrom(dropped);
    post(ModelNotifications::lessonClicked, target);
    return true;
}

bool LessonContentController::dropText(Lesson* target, const QString& text)
{
    return importDictionary(target, LessonDictionary::fromText(text));
}

bool LessonContentController::importDictionary(Lesson* target, const std::optional<QVariantMap>& dictionary)
{
    if (!target || !dictionary)
        return false;
    target->importFromDictionary(*dictionary);
    post(ModelNotifications::lessonClicked, target);
    return true;
}

bool LessonContentController::dropUnit(Lesson* target, const Unit* unit)
{
    if (!target || !unit || !target->course() || &target->context() != &unit->context())
        return false;
    const int count = int(unit->lessons().size());
    if (count == 0) {
        m_alerts.runModal(Alert { QStringLiteral("No Lessons Found"),
            QStringLiteral("Please add lessons to this unit before making a copy"), QStringLiteral("Ok"), {}, {} });
        return false;
    }
    if (target->course()->returnLessonsFollowing(target, count, m_alerts).isEmpty()) {
        m_alerts.runModal(Alert { QStringLiteral("Too Few Lessons Left in Course"),
            QStringLiteral("There aren't enough lessons left in this course to allow copying the selected unit"),
            QStringLiteral("Ok"), {}, {} });
        return false;
    }
    if (!confirmUnitCopy(count))
        return false;
    Unit* copy = target->course()->makeCopyOfUnit(unit);
    copy->makeCopyOfUnit(unit, target, m_alerts);
    post(ModelNotifications::newUnitAdded);
    post(PlanningNotifications::courseAdded);
    return true;
}

bool LessonContentController::confirmUnitCopy(int lessonCount)
{
    QString message;
    if (lessonCount == 1)
        message = QStringLiteral("Copying this unit will replace this lesson with the lesson information contained in "
                                 "the unit. A new unit will also be created to contain these lessons. This cannot be "
                                 "undone.");
    else if (lessonCount == 2)
        message = QStringLiteral("Copying this unit will replace this lesson, along with the next lesson, with the "
                                 "lesson information contained in the unit.  A new unit will also be created to "
                                 "contain these lessons. This cannot be undone.");
    else
        message = QStringLiteral("Copying this unit will replace this lesson, along with the next %1 lessons, with "
                                 "the lesson information contained in the unit.  A new unit will also be created to "
                                 "contain these lessons. This cannot be undone.")
                      .arg(lessonCount - 1);
    return m_alerts.runModal(Alert { QStringLiteral("Create a new copy of this unit?"), message, QStringLiteral("Copy"),
               QStringLiteral("Cancel"), {} })
        == AlertDefaultReturn;
}
