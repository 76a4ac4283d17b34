#pragma once

#include "foundation/notify/ObserverBag.h"

#include <QWidget>

#include <functional>

class AlertPresenter;
class FileChooser;
class LessonReportInformation;
class QHBoxLayout;
class QPagedPaintDevice;
class Year;

// What every report shown in place of the planning views shares: the row of
// settings and commands (Print, Save as PDF, Email, Return to Planning) and
// the settings of the year, which change at once.
class ReportView : public QWidget {
    Q_OBJECT
public:
    ReportView(Year& year, AlertPresenter& alerts, FileChooser& files, QWidget* parent = nullptr);

    // Builds the report again from the records and the settings.
    virtual void reload() = 0;
    // Draws the report on the device's pages; false when it cannot be painted.
    virtual bool printTo(QPagedPaintDevice& device) = 0;

    // The platform's print dialog, then the report on the chosen printer.
    void print();
    // The same for any printing function; a refusal is told to the user.
    static void printWithDialog(
        QWidget* parent, AlertPresenter& alerts, const std::function<bool(QPagedPaintDevice&)>& print);
    void saveAsPdf();
    void email();

    LessonReportInformation& settings() const { return m_settings; }

signals:
    void returnToPlanningRequested();

protected:
    // Where a subclass puts its own choices, left of the commands.
    QHBoxLayout* choices() const { return m_choices; }
    // The body of the report, below the row.
    void setBody(QWidget* body);
    // A switch of the settings that reloads the report when flipped.
    void addSettingSwitch(const QString& title, const QString& key);
    // A size of the settings, in points, that reloads the report.
    void addSizeSetting(const QString& key);
    // The report's rich-text header, edited in place.
    void addHeaderSetting(const QString& key);

    virtual QString mailSubject() const;
    virtual QString mailFileName() const = 0;

    Year& m_year;

private:
    void addShowMenu();
    void observeYear();

    LessonReportInformation& m_settings;
    AlertPresenter& m_alerts;
    FileChooser& m_files;
    QHBoxLayout* m_choices = nullptr;
    ObserverBag m_observers;
};
