#include "gui/window/LessonBoxCommands.h"

#include "content/LessonContentController.h"
#include "gui/navigation/LessonDrag.h"
#include "gui/navigation/UnitDrag.h"
#include "gui/panels/AttachmentDrop.h"
#include "gui/window/DayActions.h"
#include "gui/window/DocumentWindow.h"
#include "gui/window/LessonActions.h"
#include "model/Lesson.h"
#include "model/LessonDictionary.h"
#include "model/Unit.h"
#include "store/UndoGroup.h"

#include <QMenu>
#include <QMimeData>

LessonBoxCommands::LessonBoxCommands(DocumentWindow& window)
    : m_window(window)
    , m_content(std::make_unique<LessonContentController>(window.alerts()))
{ }

LessonBoxCommands::~LessonBoxCommands() = default;

bool LessonBoxCommands::accepts(const QMimeData& data) const
{
    return data.hasFormat(LessonDrag::mimeType) || data.hasFormat(UnitDrag::mimeType) || data.hasText()
        || data.hasUrls();
}

// A lesson or unit reference resolves only in its own document; from another
// document a dragged lesson still carries its content as text.
bool LessonBoxCommands::canDrop(const Lesson& target, const QMimeData& data) const
{
    if (const Lesson* lesson = LessonDrag::lessonFrom(&data, target.context()))
        return lesson != &target;
    if (UnitDrag::unitFrom(&data, target.context()))
        return target.course() != nullptr;
    if (holdsLessonDictionary(data))
        return true;
    return LessonAttachmentsController::acceptsDropped(AttachmentDrop::locations(&data));
}

bool LessonBoxCommands::holdsLessonDictionary(const QMimeData& data)
{
    return !data.hasUrls() && data.hasText() && LessonDictionary::fromText(data.text()).has_value();
}

// Each kind of drop is its own step, named after what it does to the lesson.
void LessonBoxCommands::drop(Lesson& target, const QMimeData& data)
{
    if (const Lesson* lesson = LessonDrag::lessonFrom(&data, target.context())) {
        const UndoGroup step(target.context(), QStringLiteral("Drop Lesson"));
        m_content->dropLesson(&target, lesson);
    } else if (const Unit* unit = UnitDrag::unitFrom(&data, target.context())) {
        const UndoGroup step(target.context(), QStringLiteral("Add Lesson to Unit"));
        m_content->dropUnit(&target, unit);
    } else if (holdsLessonDictionary(data)) {
        const UndoGroup step(target.context(), QStringLiteral("Drop Lesson"));
        m_content->dropText(&target, data.text());
    } else {
        const UndoGroup step(target.context(), QStringLiteral("Attach Files"));
        m_attachments.attachDropped(&target, AttachmentDrop::locations(&data));
    }
}

void LessonBoxCommands::showMenu(const QPoint& globalPosition)
{
    if (m_menu)
        m_menu->close();
    m_menu = createMenu();
    m_menu->popup(globalPosition);
}

QMenu* LessonBoxCommands::createMenu()
{
    LessonActions& lessons = m_window.lessonActions();
    DayActions& days = m_window.dayActions();
    lessons.updateStates();
    days.updateStates();
    auto* menu = new QMenu(&m_window);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addActions({ lessons.copyAction(), lessons.pasteAction(), lessons.clearAction() });
    menu->addSeparator();
    menu->addActions({ lessons.useAsTemplateAction(), lessons.removeFromUnitAction() });
    menu->addSeparator();
    menu->addActions({ days.makeNonSchoolAction(), days.makeCustomDayAction() });
    menu->addMenu(days.convertMenu());
    menu->addActions({ days.addCourseAction(), days.removeLessonAction() });
    return menu;
}
