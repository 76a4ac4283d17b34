#pragma once

#ifndef Q_MOC_RUN
#include "schedule/NonSchoolSettingsController.h"
#endif

#include <QWidget>

class Day;
class QLabel;
class QLineEdit;
class QPushButton;

// The side panel's tools for a holiday or cancelled day: its name, restore,
// extend and make custom day. Its owner restores the day and shows the sheets.
class NonSchoolSettingsPanel : public QWidget {
    Q_OBJECT
public:
    explicit NonSchoolSettingsPanel(QWidget* parent = nullptr);

    void setDay(Day* day);
    QLineEdit* nameField() const { return m_name; }
    QPushButton* restoreButton() const { return m_restore; }

signals:
    void restoreRequested(Day* day);
    void extendRequested(Day* day);
    void makeCustomDayRequested(Day* day);

private:
    NonSchoolSettingsController m_controller;
    QLabel* m_kind = nullptr;
    QLineEdit* m_name = nullptr;
    QPushButton* m_restore = nullptr;
    QPushButton* m_extend = nullptr;
    QPushButton* m_makeCustom = nullptr;
};
