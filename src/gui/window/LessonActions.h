#pragma once

#include <QObject>

#include <memory>

class AlertPresenter;
class FileChooser;
class Lesson;
class LessonContentController;
class LessonSettingsPanel;
class MissingAttachmentsController;
class MissingAttachmentsSheet;
class QAction;
class QMenu;
class ShownSelection;
class TemplateSheet;
class TemplateWindowController;
class UnitManagerController;
class UnitManagerSheet;

// The Lesson menu: copy and paste of a lesson's content, clearing, bumping
// the course's plan a meeting later or pulling it back, using a
// lesson as a template, leaving its unit, managing the units and finding
// attached files that have moved. The commands act on the lesson on show
// and are enabled only when they can act; they follow every change of what
// shows. The unit manager works on the whole year, starting at the shown
// lesson's course. Sheets open over the window.
class LessonActions : public QObject {
    Q_OBJECT
public:
    LessonActions(AlertPresenter& alerts, FileChooser& files, const ShownSelection& shown, QWidget* window);
    ~LessonActions() override;

    void addToMenu(QMenu* menu);
    // The panel's buttons act on the panel's own lesson.
    void connectPanel(LessonSettingsPanel* panel);
    void updateStates();

    QAction* copyAction() const { return m_copy; }
    QAction* pasteAction() const { return m_paste; }
    QAction* clearAction() const { return m_clear; }
    QAction* clearAllAction() const { return m_clearAll; }
    QAction* useAsTemplateAction() const { return m_useAsTemplate; }
    QAction* removeFromUnitAction() const { return m_removeFromUnit; }
    QAction* bumpAction() const { return m_bump; }
    QAction* pullBackAction() const { return m_pullBack; }
    QAction* manageUnitsAction() const { return m_manageUnits; }
    QAction* checkAttachmentsAction() const { return m_checkAttachments; }

    // The template sheet, once shown.
    TemplateSheet* templateSheet() const { return m_templateSheet; }
    UnitManagerSheet* unitManagerSheet() const { return m_unitSheet; }
    MissingAttachmentsSheet* missingAttachmentsSheet() const { return m_missingSheet; }

private:
    QAction* makeAction(const QString& text, void (LessonActions::*command)());
    // A command on one lesson, given the current lesson when chosen from a menu.
    template<typename LessonPointer>
    QAction* makeAction(const QString& text, void (LessonActions::*command)(LessonPointer));
    Lesson* shownLesson() const;
    void copyLesson();
    void pasteLesson();
    void clearLesson(Lesson* lesson);
    void clearAllLessons();
    void bumpLesson(Lesson* lesson);
    void pullLessonsBack(Lesson* lesson);
    void useAsTemplate(Lesson* lesson);
    void removeFromUnit(Lesson* lesson);
    void manageUnits(const Lesson* lesson);
    void checkAttachments();

    FileChooser& m_files;
    const ShownSelection& m_shown;
    QWidget* m_window;
    std::unique_ptr<LessonContentController> m_content;
    std::unique_ptr<TemplateWindowController> m_template;
    std::unique_ptr<UnitManagerController> m_units;
    std::unique_ptr<MissingAttachmentsController> m_missing;
    TemplateSheet* m_templateSheet = nullptr;
    UnitManagerSheet* m_unitSheet = nullptr;
    MissingAttachmentsSheet* m_missingSheet = nullptr;
    QAction* m_copy = nullptr;
    QAction* m_paste = nullptr;
    QAction* m_clear = nullptr;
    QAction* m_clearAll = nullptr;
    QAction* m_bump = nullptr;
    QAction* m_pullBack = nullptr;
    QAction* m_useAsTemplate = nullptr;
    QAction* m_removeFromUnit = nullptr;
    QAction* m_manageUnits = nullptr;
    QAction* m_checkAttachments = nullptr;
};
