#include "gui/exchange/ExportCourseSheet.h"

#include "gui/exchange/SheetProgress.h"
#include "gui/schedule/SheetDates.h"
#include "model/Course.h"
#include "model/Year.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

ExportCourseSheet::ExportCourseSheet(Year& year, AlertPresenter& alerts, FileChooser& files, QWidget* window)
    : QDialog(window)
    , m_controller(year, alerts, files)
    , m_courses(new QComboBox(this))
    , m_spinner(new QProgressBar(this))
{
    setObjectName(QStringLiteral("ExportCourseWindow"));
    setWindowTitle(QStringLiteral("Export Course"));
    setMinimumWidth(340);
    setWindowModality(Qt::WindowModal);

    auto* choice = new QGroupBox(QStringLiteral("Lessons to export"), this);
    auto* form = new QFormLayout(choice);
    m_entireCourse = new QRadioButton(QStringLiteral("The entire course"), choice);
    m_dateRange = new QRadioButton(QStringLiteral("Only the lessons from:"), choice);
    m_entireCourse->setChecked(true);
    m_start = new QDateEdit(choice);
    m_end = new QDateEdit(choice);
    for (QDateEdit* picker : { m_start, m_end }) {
        picker->setCalendarPopup(true);
        connect(picker, &QDateEdit::dateChanged, this, &ExportCourseSheet::dateChanged);
    }
    form->addRow(m_entireCourse);
    form->addRow(m_dateRange);
    form->addRow(QStringLiteral("From:"), m_start);
    form->addRow(QStringLiteral("To:"), m_end);

    auto* buttons = new QDialogButtonBox(this);
    m_export = buttons->addButton(QStringLiteral("Export…"), QDialogButtonBox::AcceptRole);
    m_export->setDefault(true);
    buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    connect(m_export, &QPushButton::clicked, this, &ExportCourseSheet::exportPressed);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    m_spinner->setVisible(false);
    m_spinner->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    auto* courseRow = new QFormLayout;
    courseRow->addRow(QStringLiteral("Course:"), m_courses);
    layout->addLayout(courseRow);
    layout->addWidget(choice);
    layout->addWidget(m_spinner);
    layout->addWidget(buttons);
    windowDidLoad();
}

void ExportCourseSheet::windowDidLoad()
{
    m_controller.windowDidLoad();
    const Course* selected = m_controller.selectedCourse();
    const QSignalBlocker blockCourses(m_courses);
    m_courses->clear();
    for (const Course* course : m_controller.courses())
        m_courses->addItem(course->courseName());
    if (selected)
        m_courses->setCurrentText(selected->courseName());
    const QSignalBlocker blockStart(m_start);
    const QSignalBlocker blockEnd(m_end);
    m_start->setDate(SheetDates::calendarDay(m_controller.startDate()));
    m_end->setDate(SheetDates::calendarDay(m_controller.endDate()));
    m_export->setEnabled(m_courses->count() > 0);
}

void ExportCourseSheet::dateChanged()
{
    m_controller.dateChanged(SheetDates::instant(m_start->date()), SheetDates::instant(m_end->date()));
    m_dateRange->setChecked(true);
}

void ExportCourseSheet::readChoices()
{
    m_controller.setSelectedCourseName(m_courses->currentText());
    m_controller.dateChanged(SheetDates::instant(m_start->date()), SheetDates::instant(m_end->date()));
    m_controller.setRange(m_dateRange->isChecked() ? ExportCourseController::Range::DateRange
                                                   : ExportCourseController::Range::EntireCourse);
}

void ExportCourseSheet::exportPressed()
{
    readChoices();
    QString written;
    {
        SheetProgress progress(*m_spinner);
        m_controller.setProgress([&](qsizetype done, qsizetype total) { progress.report(done, total); });
        written = m_controller.exportPressed();
        m_controller.setProgress({});
    }
    if (!written.isEmpty())
        accept();
}
