#pragma once

#include "foundation/notify/ObserverBag.h"
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
class LessonSettingsPanel : public QWidget {
public:
    LessonSettingsPanel(AlertPresenter& alerts, QWidget* parent = nullptr);

    void setLesson(Lesson* lesson);
    Lesson* lesson() const { return m_lesson; }

    QLineEdit* titleEdit() const { return m_title; }
    QComboBox* unitChooser() const { return m_unit; }
    QCheckBox* lockBox() const { return m_lock; }
    QLineEdit* startTimeEdit() const { return m_start; }
    QLineEdit* endTimeEdit() const { return m_end; }
    QPushButton* sendToLibraryButton() const { return m_sendToLibrary; }
    // The library file "Send to Library" adds to; the user's by default.
    void setLibraryPath(const QString& path) { m_libraryPath = path; }

private:
    void reload();
    void reloadUnits();
    void titleEdited(const QString& title);
    void unitChosen(int index);
    void unitNameEntered();
    void lockToggled(bool locked);
    void timeEntered(QLineEdit* field);
    void lessonChanged() const;

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
    QPushButton* m_sendToLibrary = nullptr;
    QString m_libraryPath;
    ObserverBag m_observers;
};
