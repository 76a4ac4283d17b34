#include "gui/schedule/CourseSelectionPage.h"

#include "schedule/CourseSelectionTable.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

CourseSelectionPage::CourseSelectionPage(QWidget* parent)
    : QWidget(parent)
{
    auto* heading = new QLabel(tr("When does each course meet?"), this);
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    headingFont.setBold(true);
    heading->setFont(headingFont);

    m_explanation = new QLabel(tr("Tick the days on which each course meets. A course with no ticks is still "
                                  "created, it just gets no lessons."),
        this);
    m_explanation->setWordWrap(true);

    m_grid = new QTableWidget(this);
    m_grid->setObjectName(QStringLiteral("courseSelection"));
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setFocusPolicy(Qt::NoFocus);
    m_grid->setAccessibleName(tr("Course meetings"));
    m_grid->setAlternatingRowColors(true);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->verticalHeader()->setHighlightSections(false);
    m_grid->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_grid->verticalHeader()->setMinimumWidth(120);
    // The grid hugs its rows and columns instead of trailing off into an
    // empty white field; a large one scrolls.
    m_grid->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(heading);
    layout->addWidget(m_explanation);
    layout->addSpacing(6);
    layout->addWidget(m_grid, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addStretch(1);
}

void CourseSelectionPage::showTable(CourseSelectionTable& table)
{
    const QList<CourseSelectionColumn>& columns = table.columns();
    const QStringList& courses = table.courseNames();
    m_grid->clear();
    m_grid->setRowCount(int(courses.size()));
    m_grid->setColumnCount(int(columns.size()));
    m_grid->setVerticalHeaderLabels(courses);

    const QFontMetrics metrics = m_grid->horizontalHeader()->fontMetrics();
    for (int column = 0; column < columns.size(); ++column) {
        const CourseSelectionColumn& shown = columns.at(column);
        m_grid->setHorizontalHeaderItem(column, new QTableWidgetItem(shown.header));
        // The table's widths suit a compact grid; a longer header in the
        // teacher's language must still be read in full.
        const int headerWidth = metrics.horizontalAdvance(shown.header) + 2 * metrics.averageCharWidth() + 8;
        m_grid->setColumnWidth(column, std::max(shown.width + 20, headerWidth));
        for (int row = 0; row < courses.size(); ++row)
            m_grid->setCellWidget(row, column, createTick(table, row, shown.identifier));
        nameTicks(column, courses, shown.header);
    }
    hugContents();
}

// A tick reads as its course and its column, which the header shows only by position.
void CourseSelectionPage::nameTicks(int column, const QStringList& courses, const QString& header) const
{
    for (int row = 0; row < courses.size(); ++row) {
        if (auto* tick = m_grid->cellWidget(row, column)->findChild<QCheckBox*>())
            tick->setAccessibleName(tr("%1 meets on %2").arg(courses.at(row), header));
    }
}

void CourseSelectionPage::hugContents()
{
    // The size hint keeps room for scroll bars that a grid which fits never
    // shows; the grid's own extent is the most it needs.
    const int frame = 2 * m_grid->frameWidth();
    const QHeaderView* courses = m_grid->verticalHeader();
    const int coursesWidth = std::max(courses->minimumWidth(), courses->sizeHint().width());
    m_grid->setMaximumSize(coursesWidth + m_grid->horizontalHeader()->length() + frame,
        m_grid->horizontalHeader()->sizeHint().height() + m_grid->verticalHeader()->length() + frame);
}

QWidget* CourseSelectionPage::createTick(CourseSelectionTable& table, int row, const QString& columnIdentifier)
{
    // A cell widget rather than a checkable item, so that the box sits in
    // the middle of its column under the header.
    auto* cell = new QWidget;
    auto* tick = new QCheckBox(cell);
    tick->setObjectName(columnIdentifier);
    tick->setChecked(table.isTicked(row, columnIdentifier));
    connect(tick, &QCheckBox::toggled, this,
        [&table, row, columnIdentifier](bool ticked) { table.setTicked(row, columnIdentifier, ticked); });
    auto* centred = new QHBoxLayout(cell);
    centred->setContentsMargins(0, 0, 0, 0);
    centred->addWidget(tick, 0, Qt::AlignCenter);
    return cell;
}
