#include "gui/schedule/CourseTimesSheet.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

CourseTimesSheet::CourseTimesSheet(Year& year, QWidget* window)
    : QDialog(window)
    , m_controller(year)
    , m_table(new QTableWidget(this))
{
    setObjectName(QStringLiteral("CourseTimeWindow"));
    setWindowTitle(QStringLiteral("Assign Course Times"));
    m_table->setAccessibleName(tr("Course meeting times"));
    setWindowModality(Qt::WindowModal);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Apply"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CourseTimesSheet::applyChangesPressed);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_table, &QTableWidget::itemChanged, this, &CourseTimesSheet::cellEdited);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Type the time each course meets (for example 930 or 2:15 pm). "
                                                "Custom days keep their own times."),
        this));
    layout->addWidget(m_table, 1);
    layout->addWidget(buttons);
    m_controller.createCourseTimeArray();
    fillTable();
}

void CourseTimesSheet::fillTable()
{
    m_filling = true;
    const QStringList& keys = m_controller.columnKeys();
    const QList<CourseTimeRow>& rows = m_controller.rows();
    m_table->setColumnCount(int(keys.size()));
    m_table->setRowCount(int(rows.size()));
    m_table->setHorizontalHeaderLabels(keys);
    for (int column = 0; column < keys.size(); ++column)
        m_table->setColumnWidth(column, CourseTimeController::columnWidth + 35);
    for (int row = 0; row < rows.size(); ++row) {
        m_table->setVerticalHeaderItem(row, new QTableWidgetItem(rows.at(row).courseName));
        for (int column = 0; column < keys.size(); ++column) {
            auto* item = new QTableWidgetItem(m_controller.cellText(row, keys.at(column)));
            if (!rows.at(row).times.contains(keys.at(column))) {
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
                item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
            }
            m_table->setItem(row, column, item);
        }
    }
    m_filling = false;
}

// A time that does not read stays as it was: the cell shows the stored value again.
void CourseTimesSheet::cellEdited(QTableWidgetItem* item)
{
    if (m_filling)
        return;
    const QString key = m_controller.columnKeys().at(item->column());
    m_controller.setCellText(item->row(), key, item->text());
    m_filling = true;
    item->setText(m_controller.cellText(item->row(), key));
    m_filling = false;
}

void CourseTimesSheet::applyChangesPressed()
{
    m_controller.applyChangesPressed();
    accept();
}
