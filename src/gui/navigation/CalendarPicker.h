#pragma once

#include "foundation/dates/Date.h"
#include "foundation/notify/NotificationSource.h"
#include "foundation/notify/ObserverBag.h"
#include "gui/navigation/CalendarPickerGrid.h"

#include <QWidget>

#include <memory>

class Day;
class Lesson;
class QLabel;
class QPushButton;
class QToolButton;
class Year;

// The one-month calendar beside the planning views: it shows which dates are
// school days, marks today and the selected day, and moves the planning views
// to a day that is clicked. It is itself the object of the "Today" and
// "Go to..." notifications, so it belongs to its year's document.
class CalendarPicker : public QWidget, public NotificationSource {
public:
    enum class PostNotification { No, Yes };

    explicit CalendarPicker(QWidget* parent = nullptr);

    // Shows the month of the year's day nearest to today, nothing selected.
    void setYear(Year* year);
    Year* year() const { return m_year; }
    // Shows the day's month with the day selected, and tells the views when asked to.
    void recreateDaysWithDay(Day* day, PostNotification post = PostNotification::Yes);
    // Follows a day the views already show: selects it, turning to its month
    // when another month shows, and tells no one.
    void showDay(Day* day);
    void showPreviousMonth();
    void showNextMonth();

    const CalendarPickerGrid* grid() const { return m_grid.get(); }
    bool canShowPreviousMonth() const;
    bool canShowNextMonth() const;
    QString monthTitle() const;

    const void* notificationScope() const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void observeDocument();
    void showMonth(Date date);
    void selectDay(Day* day);
    void lessonClicked(const Lesson* lesson);
    void placeControls();
    void updateControls();
    QSize cellSize() const;
    void paintCell(QPainter& painter, const CalendarPickerDay& cell, const QRectF& rect) const;

    Year* m_year = nullptr;
    // Kept across months so that coming back to the month shows it again.
    Day* m_selectedDay = nullptr;
    std::unique_ptr<CalendarPickerGrid> m_grid;
    QToolButton* m_previousButton;
    QLabel* m_titleLabel;
    QToolButton* m_nextButton;
    QPushButton* m_todayButton;
    QPushButton* m_goToButton;
    ObserverBag m_observers;
};
