#pragma once

#include "foundation/notify/ObserverBag.h"

#include <QWidget>

class Day;
class DaySettingsPanel;
class Lesson;
class NonSchoolSettingsPanel;
class QLabel;
class QTextBrowser;
class Year;

// The panel beside the planning views. It follows the selection in one of
// four states: the current lesson's editor, its settings, the settings of a
// holiday or cancelled day, or those of a school day without lessons. Each
// state shows its lesson or day read-only; the editing controls arrive with
// the lesson editor.
class SidePanel : public QWidget {
public:
    enum class State { LessonEditor, LessonSettings, NonSchoolSettings, NoLessonsSettings };

    explicit SidePanel(QWidget* parent = nullptr);

    void setYear(Year* year);
    void showLessonEditor(Lesson* lesson);
    void showLessonSettings(Lesson* lesson);
    void showNonSchoolSettings(Day* day);
    void showNoLessonsSettings(Day* day);

    State state() const { return m_state; }
    QString heading() const;
    QString bodyText() const;

    QSize sizeHint() const override { return { 300, 600 }; }

    // The day tools under the text: for a non-school day, for the day of the
    // lesson whose settings show, and for a school day without lessons.
    NonSchoolSettingsPanel* nonSchoolTools() const { return m_nonSchoolTools; }
    DaySettingsPanel* dayTools() const { return m_dayTools; }
    DaySettingsPanel* noLessonsTools() const { return m_noLessonsTools; }

private:
    void show(State state, Lesson* lesson, Day* day);
    void redraw();
    void fillLessonEditor();
    void fillLessonSettings();
    void fillNonSchoolSettings();
    void fillNoLessonsSettings();
    void showDayTools();

    State m_state = State::LessonEditor;
    Year* m_year = nullptr;
    Lesson* m_lesson = nullptr;
    Day* m_day = nullptr;
    QLabel* m_heading = nullptr;
    QLabel* m_stateLabel = nullptr;
    QTextBrowser* m_body = nullptr;
    NonSchoolSettingsPanel* m_nonSchoolTools = nullptr;
    DaySettingsPanel* m_dayTools = nullptr;
    DaySettingsPanel* m_noLessonsTools = nullptr;
    ObserverBag m_observers;
};
