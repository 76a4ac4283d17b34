#include "gui/window/LessonActions.h"

#include "content/LessonContentController.h"
#include "content/MissingAttachmentsController.h"
#include "content/TemplateWindowController.h"
#include "content/UnitManagerController.h"
#include "gui/content/MissingAttachmentsSheet.h"
#include "gui/content/TemplateSheet.h"
#include "gui/content/UnitManagerSheet.h"
#include "gui/panels/LessonSettingsPanel.h"
#include "gui/window/ShownSelection.h"
#include "model/Course.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "store/UndoGroup.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

LessonActions::LessonActions(AlertPresenter& alerts, FileChooser& files, const ShownSelection& shown, QWidget* window)
    : QObject(window)
    , m_files(files)
    , m_shown(shown)
    , m_window(window)
    , m_content(std::make_unique<LessonContentController>(alerts))
    , m_template(std::make_unique<TemplateWindowController>(alerts))
    , m_units(std::make_unique<UnitManagerController>(alerts))
    , m_missing(std::make_unique<MissingAttachmentsController>(alerts, files))
{
    m_copy = makeAction(QStringLiteral("Copy Lesson"), &LessonActions::copyLesson);
    m_paste = makeAction(QStringLiteral("Paste Lesson"), &LessonActions::pasteLesson);
    // Shift keeps the plain Ctrl+C and Ctrl+V for the focused text field:
    // copying a word out of a lesson's title must not copy the whole lesson.
    // Inside a text field Ctrl+Shift+V still pastes plain text: the window's
    // shortcut guard leaves the key to the field.
    m_copy->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    m_paste->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    m_clear = makeAction(QStringLiteral("Clear Lesson"), &LessonActions::clearLesson);
    m_clearAll = makeAction(QStringLiteral("Clear All Lessons…"), &LessonActions::clearAllLessons);
    m_bump = makeAction(QStringLiteral("Bump Lesson"), &LessonActions::bumpLesson);
    m_pullBack = makeAction(QStringLiteral("Pull Lessons Back"), &LessonActions::pullLessonsBack);
    m_useAsTemplate = makeAction(QStringLiteral("Use as Template…"), &LessonActions::useAsTemplate);
    m_removeFromUnit = makeAction(QStringLiteral("Remove from Unit"), &LessonActions::removeFromUnit);
    m_manageUnits = makeAction(QStringLiteral("Manage Units…"), &LessonActions::manageUnits);
    m_checkAttachments = makeAction(QStringLiteral("Check Attachments…"), &LessonActions::checkAttachments);
    connect(&shown, &ShownSelection::changed, this, &LessonActions::updateStates);
    // Lessons copied in another window or program make Paste available here.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &LessonActions::updateStates);
    updateStates();
}

LessonActions::~LessonActions() = default;

QAction* LessonActions::makeAction(const QString& text, void (LessonActions::*command)())
{
    auto* action = new QAction(text, this);
    connect(action, &QAction::triggered, this, command);
    return action;
}

template<typename LessonPointer>
QAction* LessonActions::makeAction(const QString& text, void (LessonActions::*command)(LessonPointer))
{
    auto* action = new QAction(text, this);
    connect(action, &QAction::triggered, this, [this, command] { (this->*command)(shownLesson()); });
    return action;
}

void LessonActions::connectPanel(LessonSettingsPanel* panel)
{
    connect(panel, &LessonSettingsPanel::clearLessonPressed, this, &LessonActions::clearLesson);
    connect(panel, &LessonSettingsPanel::useAsTemplatePressed, this, &LessonActions::useAsTemplate);
    connect(panel, &LessonSettingsPanel::removeFromUnitPressed, this, &LessonActions::removeFromUnit);
    connect(panel, &LessonSettingsPanel::manageUnitsPressed, this, &LessonActions::manageUnits);
}

void LessonActions::addToMenu(QMenu* menu)
{
    menu->addActions({ m_copy, m_paste });
    menu->addSeparator();
    menu->addActions({ m_clear, m_clearAll });
    menu->addSeparator();
    menu->addActions({ m_bump, m_pullBack });
    menu->addSeparator();
    menu->addActions({ m_useAsTemplate, m_removeFromUnit, m_manageUnits });
    menu->addSeparator();
    menu->addAction(m_checkAttachments);
    // The lesson's unit may have changed since the menu was last open.
    connect(menu, &QMenu::aboutToShow, this, &LessonActions::updateStates);
}

Lesson* LessonActions::shownLesson() const
{
    return m_shown.lesson();
}

void LessonActions::updateStates()
{
    const Lesson* lesson = shownLesson();
    const bool hasLesson = lesson != nullptr;
    m_copy->setEnabled(hasLesson);
    m_paste->setEnabled(hasLesson && m_content->canPasteLesson());
    m_clear->setEnabled(hasLesson);
    const bool inCourse = hasLesson && lesson->course();
    m_bump->setEnabled(inCourse);
    m_pullBack->setEnabled(inCourse);
    const Year* year = m_shown.year();
    m_clearAll->setEnabled(year != nullptr);
    m_manageUnits->setEnabled(year && !year->myCourses().isEmpty());
    m_useAsTemplate->setEnabled(hasLesson);
    m_removeFromUnit->setEnabled(hasLesson && lesson->unit());
}

void LessonActions::copyLesson()
{
    m_content->copyLesson(shownLesson());
}

void LessonActions::pasteLesson()
{
    m_content->pasteLesson(shownLesson());
}

void LessonActions::clearLesson(Lesson* lesson)
{
    m_content->clearLesson(lesson);
}

void LessonActions::clearAllLessons()
{
    if (Year* year = m_shown.year())
        m_content->clearAllLessons(*year);
}

void LessonActions::bumpLesson(Lesson* lesson)
{
    if (!lesson)
        return;
    const UndoGroup step(lesson->context(), QStringLiteral("Bump Lesson"));
    m_content->bumpLesson(lesson);
}

void LessonActions::pullLessonsBack(Lesson* lesson)
{
    if (!lesson)
        return;
    const UndoGroup step(lesson->context(), QStringLiteral("Pull Lessons Back"));
    m_content->pullLessonsBack(lesson);
}

void LessonActions::useAsTemplate(Lesson* lesson)
{
    if (!lesson)
        return;
    if (!m_templateSheet)
        m_templateSheet = new TemplateSheet(*m_template, m_window);
    m_template->setLesson(lesson);
    m_templateSheet->load();
    m_templateSheet->open();
}

void LessonActions::removeFromUnit(Lesson* lesson)
{
    m_content->removeFromUnit(lesson);
    updateStates();
}

void LessonActions::manageUnits(const Lesson* lesson)
{
    Year* year = m_shown.year();
    if (!year)
        return;
    if (!m_unitSheet) {
        m_unitSheet = new UnitManagerSheet(*m_units, m_files, m_window);
        // Lessons may have lost their unit while the sheet was open.
        connect(m_unitSheet, &QDialog::finished, this, &LessonActions::updateStates);
    }
    m_units->setYear(year);
    if (lesson && lesson->course())
        m_units->selectCourse(lesson->course());
    m_unitSheet->load();
    m_unitSheet->open();
}

void LessonActions::checkAttachments()
{
    if (!m_missing->checkAttachments(m_shown.year()))
        return;
    if (!m_missingSheet)
        m_missingSheet = new MissingAttachmentsSheet(*m_missing, m_window);
    m_missingSheet->load();
    m_missingSheet->open();
}
