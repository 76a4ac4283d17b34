#pragma once

#include "foundation/notify/ObserverBag.h"

#include <QWidget>

class AlertPresenter;
class Day;
class DaySettingsPanel;
class Lesson;
class LessonEditorPanel;
class LessonSettingsPanel;
class NonSchoolSettingsPanel;
class QLabel;
class QStackedWidget;
class QTextBrowser;
class Year;

// The panel beside the planning views. It follows the selection in one of
// four states: the current lesson's editor, its settings, the settings of a
// holiday or cancelled day, or those of a school day without lessons. The
// day states describe their day; their commands arrive with the day tools.
// Whoever selects keeps it off deleted lessons (the planning controller).
class SidePanel : public QWidget {
    Q_OBJECT
public:
    enum class State { LessonEditor, LessonSettings, NonSchoolSettings, NoLessonsSettings };

    explicit SidePanel(AlertPresenter& alerts, QWidget* parent = nullptr);

    void setYear(Year* year);
    void showLessonEditor(Lesson* lesson);
    void showLessonSettings(Lesson* lesson);
    // Puts the keyboard in the shown lesson's first open field.
    void focusLessonEditor();
    void showNonSchoolSettings(Day* day);
    void showNoLessonsSettings(Day* day);

    State state() const { return m_state; }
    Lesson* lesson() const { return m_lesson; }
    QString heading() const;
    // The description of a day state.
    QString bodyText() const;
    LessonEditorPanel* editor() const { return m_editor; }
    LessonSettingsPanel* settings() const { return m_settings; }

    QSize sizeHint() const override { return { 300, 600 }; }

    // The day tools under the text: for a non-school day, for the day of the
    // lesson whose settings show, and for a school day without lessons.
    NonSchoolSettingsPanel* nonSchoolTools() const { return m_nonSchoolTools; }
    DaySettingsPanel* dayTools() const { return m_dayTools; }
    DaySettingsPanel* noLessonsTools() const { return m_noLessonsTools; }

private:
    void showState(State state, Lesson* lesson, Day* day);
    void redraw();
    void redrawDay();
    void fillNonSchoolSettings();
    void fillNoLessonsSettings();
    void showDayTools();

    State m_state = State::LessonEditor;
    Year* m_year = nullptr;
    Lesson* m_lesson = nullptr;
    Day* m_day = nullptr;
    QLabel* m_stateLabel = nullptr;
    QStackedWidget* m_pages = nullptr;
    LessonEditorPanel* m_editor = nullptr;
    LessonSettingsPanel* m_settings = nullptr;
    QWidget* m_dayPage = nullptr;
    QLabel* m_heading = nullptr;
    QTextBrowser* m_body = nullptr;
    NonSchoolSettingsPanel* m_nonSchoolTools = nullptr;
    DaySettingsPanel* m_dayTools = nullptr;
    DaySettingsPanel* m_noLessonsTools = nullptr;
    ObserverBag m_observers;
};
