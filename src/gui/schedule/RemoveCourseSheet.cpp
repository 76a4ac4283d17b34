#include "gui/schedule/RemoveCourseSheet.h"

#include "model/Course.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

RemoveCourseSheet::RemoveCourseSheet(Year& year, AlertPresenter& alerts, QWidget* window)
    : QDialog(window)
    , m_controller(year, alerts)
    , m_courses(new QComboBox(this))
    , m_days(new QListWidget(this))
    , m_result(new QLabel(this))
{
    setObjectName(QStringLiteral("RemoveCourseWindow"));
    setWindowTitle(QStringLiteral("Remove Course"));
    setWindowModality(Qt::WindowModal);
    m_result->setWordWrap(true);
    m_days->setAccessibleName(tr("Days to remove the course from"));
    connect(m_courses, &QComboBox::activated, this, [this](int index) {
        const QList<Course*> courses = m_controller.courses();
        m_controller.popUpChanged(index >= 0 && index < courses.size() ? courses.at(index) : nullptr);
        fillDays();
    });
    connect(m_days, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        m_controller.setIncluded(m_days->row(item), item->checkState() == Qt::Checked);
    });

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* remove = buttons->addButton(QStringLiteral("Remove"), QDialogButtonBox::ActionRole);
    buttons->addButton(QStringLiteral("Done"), QDialogButtonBox::AcceptRole);
    connect(remove, &QPushButton::clicked, this, &RemoveCourseSheet::removePressed);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Remove the course:"), this));
    layout->addWidget(m_courses);
    layout->addWidget(new QLabel(QStringLiteral("from these days:"), this));
    layout->addWidget(m_days, 1);
    layout->addWidget(m_result);
    layout->addWidget(buttons);
    fillCourses();
    fillDays();
}

void RemoveCourseSheet::fillCourses()
{
    m_courses->clear();
    const QList<Course*> courses = m_controller.courses();
    for (const Course* course : courses)
        m_courses->addItem(course->courseName());
    m_courses->setCurrentIndex(int(courses.indexOf(m_controller.course())));
}

void RemoveCourseSheet::fillDays()
{
    const QSignalBlocker quiet(m_days);
    m_days->clear();
    for (const RemoveCourseRow& row : m_controller.rows()) {
        auto* item = new QListWidgetItem(row.dayString, m_days);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        item->setCheckState(row.include ? Qt::Checked : Qt::Unchecked);
    }
}

void RemoveCourseSheet::removePressed()
{
    m_controller.removePressed();
    m_result->setText(m_controller.resultText());
    fillCourses();
    fillDays();
}
