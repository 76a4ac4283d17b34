#include "gui/schedule/CourseColorSheet.h"

#include "gui/window/UndoStepName.h"
#include "model/Course.h"
#include "model/Year.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

CourseColorSheet::CourseColorSheet(Year& year, QWidget* window)
    : QDialog(window)
    , m_courses(year.allCoursesInAlphabeticalOrder())
{
    setObjectName(QStringLiteral("CourseColorManagerWindow"));
    setWindowTitle(QStringLiteral("Course Colors"));
    UndoStepName::set(this, QStringLiteral("Change Course Color"));
    setWindowModality(Qt::WindowModal);
    auto* rows = new QGridLayout;
    rows->setVerticalSpacing(4);
    for (qsizetype row = 0; row < m_courses.size(); ++row) {
        const QString name = m_courses.at(row)->courseName();
        rows->addWidget(new QLabel(name.isEmpty() ? QStringLiteral("No Course Name") : name, this), int(row), 0);
        auto* button = new QPushButton(this);
        button->setFixedSize(52, 27);
        // The button shows only the colour.
        button->setAccessibleName(tr("Colour of %1").arg(name.isEmpty() ? QStringLiteral("No Course Name") : name));
        showColor(button, m_courses.at(row)->color());
        connect(button, &QPushButton::clicked, this, [this, row] { pickColor(row); });
        rows->addWidget(button, int(row), 1);
        m_buttons.append(button);
    }
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(rows);
    layout->addStretch(1);
    layout->addWidget(buttons);
    // The sheet grows with the courses: 31 points a row plus 8, at least 256.
    resize(320, std::max(256, int(m_courses.size()) * 31 + 8) + 48);
}

void CourseColorSheet::showColor(QPushButton* button, const QColor& color)
{
    button->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid #777;").arg(color.name()));
}

void CourseColorSheet::pickColor(qsizetype row)
{
    const QColor chosen = QColorDialog::getColor(m_courses.at(row)->color(), this, QStringLiteral("Course Color"));
    if (chosen.isValid())
        chooseColor(row, chosen);
}

void CourseColorSheet::chooseColor(qsizetype row, const QColor& color)
{
    m_courses.at(row)->setColor(color);
    showColor(m_buttons.at(row), color);
}
