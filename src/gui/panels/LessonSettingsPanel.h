#pragma once

#include "foundation/notify/ObserverBag.h"
#include "planning/LessonWatch.h"
#include "schedule/LessonTimeEditor.h"

#include <QWidget>

class AlertPresenter;
class Lesson;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The settings of one lesson: its title, its unit among the course's units
// (a name the course does not have yet makes a new unit), the lock that
// keeps it in place when lessons move, and its meeting times. A new time
// asks whether it is for this lesson only or for every matching meeting.
// Its command buttons ask the window to act on the panel's lesson.
class LessonSettingsPanel : public QWidget {
    Q_OBJECT
public:
    LessonSettingsPanel(AlertPresenter& alerts, QWidget* parent = nullptr);

    void setLesson(Lesson* lesson);
    Lesson* lesson() const { return m_lesson; }

    QLineEdit* titleEdit() const { return m_title; }
    QComboBox* unitChooser() const { return m_unit; }
    QCheckBox* lockBox() const { return m_lock; }
    QLineEdit* startTimeEdit() const { return m_start; }
    QLineEdit* endTimeEdit() const { return m_end; }
    QPushButton* clearButton() const { return m_clear; }
    QPushButton* templateButton() const { return m_useAsTemplate; }
    QPushButton* removeFromUnitButton() const { return m_removeFromUnit; }
    QPushButton* manageUnitsButton() const { return m_manageUnits; }
    QPushButton* cancelLessonButton() const { return m_cancelLesson; }
    QPushButton* sendToLibraryButton() const { return m_sendToLibrary; }
    // The library file "Send to Library" adds to; the user's by default.
    void setLibraryPath(const QString& path) { m_libraryPath = path; }

signals:
    void clearLessonPressed(Lesson* lesson);
    void useAsTemplatePressed(Lesson* lesson);
    void removeFromUnitPressed(Lesson* lesson);
    void manageUnitsPressed(Lesson* lesson);
    void cancelLessonPressed(Lesson* lesson);

private:
    void reload();
    // Shows what may have changed in the lesson since it was loaded; a field
    // that already shows the lesson's value is left alone, caret and all.
    void refresh();
    void reloadUnits();
    // Shows the lesson's unit in the chooser, which already lists it.
    void showUnit();
    void titleEdited(const QString& title);
    void unitChosen(int index);
    void unitNameEntered();
    void lockToggled(bool locked);
    void timeEntered(QLineEdit* field);
    void lessonChanged() const;
    QLayout* createCommandButtons();
    QPushButton* commandButton(const QString& text, void (LessonSettingsPanel::*pressed)(Lesson*));

    void sendToLibrary();

    AlertPresenter& m_alerts;
    LessonTimeEditor m_times;
    Lesson* m_lesson = nullptr;
    QLabel* m_heading = nullptr;
    QLineEdit* m_title = nullptr;
    QComboBox* m_unit = nullptr;
    QCheckBox* m_lock = nullptr;
    QLineEdit* m_start = nullptr;
    QLineEdit* m_end = nullptr;
    QPushButton* m_clear = nullptr;
    QPushButton* m_useAsTemplate = nullptr;
    QPushButton* m_removeFromUnit = nullptr;
    QPushButton* m_manageUnits = nullptr;
    QPushButton* m_cancelLesson = nullptr;
    QPushButton* m_sendToLibrary = nullptr;
    QString m_libraryPath;
    ObserverBag m_observers;
    LessonWatch m_watch;
};
