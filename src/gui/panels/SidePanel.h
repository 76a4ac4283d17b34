#pragma once

#include "foundation/notify/ObserverBag.h"

#include <QWidget>

class Day;
class Lesson;
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

private:
    void show(State state, Lesson* lesson, Day* day);
    void redraw();
    void fillLessonEditor();
    void fillLessonSettings();
    void fillNonSchoolSettings();
    void fillNoLessonsSettings();

    State m_state = State::LessonEditor;
    Year* m_year = nullptr;
    Lesson* m_lesson = nullptr;
    Day* m_day = nullptr;
    QLabel* m_heading = nullptr;
    QLabel* m_stateLabel = nullptr;
    QTextBrowser* m_body = nullptr;
    ObserverBag m_observers;
};
