#pragma once

#ifndef Q_MOC_RUN
#include "schedule/RestartRotationController.h"
#endif

#include <QDialog>

class QComboBox;
class QLabel;

// Chooses the day type a rotating year's rotation starts again with.
class RestartRotationSheet : public QDialog {
    Q_OBJECT
public:
    RestartRotationSheet(RestartRotationController& controller, QWidget* window);

    void load();
    void accept() override;
    const RestartRotationController& controller() const { return m_controller; }

private:
    RestartRotationController& m_controller;
    QLabel* m_label = nullptr;
    QComboBox* m_types = nullptr;
};
