#include "gui/exchange/ImportCourseSheet.h"

#include "gui/exchange/SheetProgress.h"
#include "gui/schedule/SheetDates.h"
#include "gui/window/UndoStepName.h"
#include "model/Course.h"
#include "model/Year.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// The import dates are kept within the year.
QDateEdit* datePicker(Date date, const Year& year, QWidget* parent)
{
    auto* picker = new QDateEdit(SheetDates::calendarDay(date), parent);
    picker->setDateRange(SheetDates::calendarDay(year.startDate()), SheetDates::calendarDay(year.endDate()));
    picker->setCalendarPopup(true);
    return picker;
}

} // namespace

ImportCourseSheet::ImportCourseSheet(Year& year, AlertPresenter& alerts, const QString& filePath, QWidget* window)
    : QDialog(window)
    , m_controller(year, alerts)
    , m_topText(new QLabel(this))
    , m_spinner(new QProgressBar(this))
{
    setObjectName(QStringLiteral("ImportCourseWindow"));
    setWindowTitle(QStringLiteral("Import Course"));
    setWindowModality(Qt::WindowModal);
    m_controller.setFilePath(filePath);
    m_topText->setText(m_controller.topText());
    m_topText->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_spinner->setVisible(false);
    m_spinner->setTextVisible(false);

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(createNewCourseBox(year));
    boxes->addWidget(createExistingCourseBox(year));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_topText);
    layout->addLayout(boxes, 1);
    layout->addWidget(m_spinner);
    layout->addWidget(buttons);
}

QWidget* ImportCourseSheet::createNewCourseBox(const Year& year)
{
    auto* box = new QGroupBox(QStringLiteral("As a new course"), this);
    m_table = new QTableWidget(0, 2, box);
    m_table->setHorizontalHeaderLabels({ QStringLiteral("Meets on"), QStringLiteral("Include") });
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_table->verticalHeader()->setVisible(false);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setEnabled(m_controller.tableIsConsulted());
    fillTable();
    connect(m_table, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() == 1)
            m_controller.setIncluded(item->row(), item->checkState() == Qt::Checked);
    });
    m_addNewDate = datePicker(m_controller.addNewDate(), year, box);
    connect(m_addNewDate, &QDateEdit::dateChanged, this,
        [this](const QDate& day) { m_controller.setAddNewDate(SheetDates::instant(day)); });
    m_importNew = new QPushButton(QStringLiteral("Import as New Course"), box);
    UndoStepName::set(m_importNew, QStringLiteral("Import Course"));
    connect(m_importNew, &QPushButton::clicked, this, &ImportCourseSheet::importNewPressed);
    auto* form = new QFormLayout(box);
    form->addRow(m_table);
    form->addRow(QStringLiteral("Starting on:"), m_addNewDate);
    form->addRow(m_importNew);
    return box;
}

QWidget* ImportCourseSheet::createExistingCourseBox(const Year& year)
{
    auto* box = new QGroupBox(QStringLiteral("Into an existing course"), this);
    m_courses = new QComboBox(box);
    for (const Course* course : m_controller.courses())
        m_courses->addItem(course->courseName());
    connect(m_courses, &QComboBox::currentIndexChanged, this, [this](int index) {
        const QList<Course*> courses = m_controller.courses();
        m_controller.setChosenCourse(index >= 0 && index < courses.size() ? courses.at(index) : nullptr);
    });
    m_addExistingDate = datePicker(m_controller.addExistingDate(), year, box);
    connect(m_addExistingDate, &QDateEdit::dateChanged, this,
        [this](const QDate& day) { m_controller.setAddExistingDate(SheetDates::instant(day)); });
    m_importExisting = new QPushButton(QStringLiteral("Import into Course"), box);
    UndoStepName::set(m_importExisting, QStringLiteral("Import into Course"));
    m_importExisting->setEnabled(m_courses->count() > 0);
    connect(m_importExisting, &QPushButton::clicked, this, &ImportCourseSheet::importExistingPressed);
    auto* form = new QFormLayout(box);
    form->addRow(QStringLiteral("Course:"), m_courses);
    form->addRow(QStringLiteral("Starting on:"), m_addExistingDate);
    form->addRow(m_importExisting);
    return box;
}

void ImportCourseSheet::fillTable()
{
    const QList<ImportScheduleRow>& rows = m_controller.tableViewArray();
    m_table->setRowCount(int(rows.size()));
    for (int row = 0; row < rows.size(); ++row) {
        auto* label = new QTableWidgetItem(rows[row].dayOfWeek);
        label->setFlags(Qt::ItemIsEnabled);
        auto* include = new QTableWidgetItem;
        include->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        include->setCheckState(rows[row].include ? Qt::Checked : Qt::Unchecked);
        m_table->setItem(row, 0, label);
        m_table->setItem(row, 1, include);
    }
}

template <typename Import> void ImportCourseSheet::runImport(Import import)
{
    bool placed = false;
    {
        SheetProgress progress(*m_spinner);
        m_controller.setProgress([&](qsizetype done, qsizetype total) { progress.report(done, total); });
        placed = import();
        m_controller.setProgress({});
    }
    if (placed)
        accept();
}

void ImportCourseSheet::importNewPressed()
{
    runImport([this] { return m_controller.importNewPressed() != nullptr; });
}

void ImportCourseSheet::importExistingPressed()
{
    runImport([this] { return m_controller.importExistingPressed(); });
}
