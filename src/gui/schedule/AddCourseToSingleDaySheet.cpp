#include "gui/schedule/AddCourseToSingleDaySheet.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AddCourseToSingleDaySheet::AddCourseToSingleDaySheet(AddCourseToSingleDayController& controller, QWidget* window)
    : QDialog(window)
    , m_controller(controller)
    , m_courses(new QComboBox(this))
{
    setObjectName(QStringLiteral("AddCourseToSingleDayWindow"));
    setWindowTitle(tr("Add Course to Day"));
    setWindowModality(Qt::WindowModal);
    m_courses->setPlaceholderText(tr("Choose a course"));
    m_courses->setAccessibleName(tr("Course"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_add = buttons->button(QDialogButtonBox::Ok);
    m_add->setText(tr("Add"));
    connect(buttons, &QDialogButtonBox::accepted, this, &AddCourseToSingleDaySheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &AddCourseToSingleDaySheet::reject);
    connect(m_courses, &QComboBox::currentIndexChanged, this, &AddCourseToSingleDaySheet::courseChosen);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Add a meeting of this course to the day:"), this));
    layout->addWidget(m_courses);
    layout->addWidget(buttons);
    load();
}

void AddCourseToSingleDaySheet::load()
{
    m_courses->clear();
    m_courses->addItems(m_controller.courseNames());
    m_courses->setCurrentIndex(-1);
    courseChosen();
}

void AddCourseToSingleDaySheet::courseChosen()
{
    m_controller.setChosenCourse(m_courses->currentText());
    m_add->setEnabled(m_controller.canAdd());
}

void AddCourseToSingleDaySheet::accept()
{
    if (m_controller.addCoursePressed())
        QDialog::accept();
}
