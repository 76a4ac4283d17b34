#pragma once

#include "report/WeeklyReportLayout.h"

#include <QWidget>

#include <memory>

class LessonReportInformation;
class Week;

// The weekly grid on screen, one pixel to the point, as wide as the area
// that shows it and as tall as its tallest column needs.
class WeeklyReportCanvas : public QWidget {
    Q_OBJECT
public:
    explicit WeeklyReportCanvas(LessonReportInformation& settings, QWidget* parent = nullptr);
    ~WeeklyReportCanvas() override;

    void setWeek(Week* week);
    Week* week() const { return m_week; }
    // Lays the week out again at the given visible size.
    void reload(QSize visible);
    const WeeklyReportLayout* layout() const { return m_layout.get(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    LessonReportInformation& m_settings;
    Week* m_week = nullptr;
    std::unique_ptr<WeeklyReportLayout> m_layout;
};
