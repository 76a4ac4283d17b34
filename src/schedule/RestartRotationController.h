#pragma once

#include <QString>
#include <QStringList>

class AlertPresenter;
class Day;

// Starts a rotating year's rotation again at a chosen day, with a chosen day type.
class RestartRotationController {
public:
    enum class Outcome { Restarted, Cancelled, Refused };

    explicit RestartRotationController(AlertPresenter& alerts);

    void setDay(Day* day);
    Day* day() const { return m_day; }
    QString label() const;
    QStringList dayTypes() const;
    int chosenType() const { return m_chosenType; }
    void setChosenType(int type) { m_chosenType = type; }

    // Confirms first; every school day from the day on loses its lessons.
    Outcome restartPressed();

private:
    AlertPresenter& m_alerts;
    Day* m_day = nullptr;
    int m_chosenType = 0;
};
