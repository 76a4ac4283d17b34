#include "gui/content/SearchResultsPanel.h"

#include "content/ContentNotifications.h"
#include "foundation/notify/NotificationCenter.h"
#include "model/Lesson.h"

#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

constexpr QPoint searchOffset { 140, 60 };
constexpr int rowHeight = 44;
constexpr int badgeWidth = 48;
constexpr int goWidth = 22;
const QColor badgeBlue { 0x2f, 0x6f, 0xc9 };

enum Role { TitleRole = Qt::UserRole, CourseRole, DayRole, MonthRole };

// Badge, title and course, and the go arrow at the right edge.
class ResultDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static QRect goArea(const QRect& row) { return QRect(row.right() - goWidth, row.top(), goWidth, row.height()); }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        return { option.rect.width(), rowHeight };
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        if (option.state & QStyle::State_Selected)
            painter->fillRect(option.rect, option.palette.highlight().color().lighter(160));
        const QRect badge(option.rect.left() + 4, option.rect.top() + 4, badgeWidth, option.rect.height() - 8);
        painter->setPen(Qt::NoPen);
        painter->setBrush(badgeBlue);
        painter->drawRoundedRect(badge, 4, 4);
        painter->setPen(Qt::white);
        QFont dayFont(QStringLiteral("Helvetica Neue"), 13, QFont::Bold);
        painter->setFont(dayFont);
        painter->drawText(
            badge.adjusted(0, 1, 0, -badge.height() / 2 + 2), Qt::AlignCenter, index.data(DayRole).toString());
        QFont monthFont(QStringLiteral("Helvetica Neue"), 6);
        painter->setFont(monthFont);
        const QString month
            = QFontMetrics(monthFont).elidedText(index.data(MonthRole).toString(), Qt::ElideRight, badge.width() - 2);
        painter->drawText(badge.adjusted(1, badge.height() / 2, -1, -2), Qt::AlignCenter, month);

        const QRect text(badge.right() + 8, option.rect.top() + 4, option.rect.width() - badgeWidth - goWidth - 20,
            option.rect.height() - 8);
        QFont titleFont(QStringLiteral("Helvetica Neue"), 9);
        painter->setFont(titleFont);
        painter->setPen(option.palette.text().color());
        painter->drawText(text.adjusted(0, 0, 0, -text.height() / 2), Qt::AlignLeft | Qt::AlignVCenter,
            QFontMetrics(titleFont).elidedText(index.data(TitleRole).toString(), Qt::ElideRight, text.width()));
        QFont courseFont(QStringLiteral("Helvetica Neue"), 8);
        painter->setFont(courseFont);
        painter->setPen(Qt::darkGray);
        painter->drawText(text.adjusted(0, text.height() / 2, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
            QFontMetrics(courseFont).elidedText(index.data(CourseRole).toString(), Qt::ElideRight, text.width()));
        painter->setPen(badgeBlue);
        painter->setFont(dayFont);
        painter->drawText(goArea(option.rect), Qt::AlignCenter, QStringLiteral("›"));
        painter->restore();
    }
};

} // namespace

SearchResultsPanel::SearchResultsPanel(QWidget* window)
    : AttachedPanel(window, searchOffset, SearchResultsController::fullPanelSize)
    , m_table(new QListWidget(this))
    , m_empty(new QLabel(tr("No Lessons Found"), this))
{
    setObjectName(QStringLiteral("SearchResultsViewController"));
    m_table->setItemDelegate(new ResultDelegate(m_table));
    m_table->setUniformItemSizes(true);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_empty->setAlignment(Qt::AlignCenter);
    m_table->setAccessibleName(tr("Search results"));
    m_table->setAccessibleDescription(tr("Return or a double-click shows the lesson"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_empty, 1);
    connect(m_table, &QListWidget::currentRowChanged, this, [this](int row) { m_controller.selectRow(row); });
    connect(m_table, &QListWidget::itemDoubleClicked, this, &SearchResultsPanel::choose);
    connect(m_table, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const QPoint at = m_table->viewport()->mapFromGlobal(QCursor::pos());
        if (ResultDelegate::goArea(m_table->visualItemRect(item)).contains(at))
            m_controller.goPressed(m_controller.searchResults().value(m_table->row(item)));
    });
}

void SearchResultsPanel::searchForString(const QString& term)
{
    m_controller.search(term);
    m_table->clear();
    for (const Lesson* lesson : m_controller.searchResults()) {
        auto* item = new QListWidgetItem(m_table);
        item->setData(TitleRole, SearchResultsController::rowTitle(*lesson));
        item->setData(CourseRole, lesson->courseName());
        item->setData(DayRole, SearchResultsController::badgeDay(*lesson));
        item->setData(MonthRole, SearchResultsController::badgeMonth(*lesson));
        item->setSizeHint(QSize(0, rowHeight));
    }
    m_table->setVisible(!m_controller.tableHidden());
    m_empty->setVisible(m_controller.tableHidden());
    if (size() != m_controller.panelSize())
        resize(m_controller.panelSize());
}

void SearchResultsPanel::focusResults()
{
    activateWindow();
    m_table->setFocus();
    if (m_table->count() > 0)
        m_table->setCurrentRow(0);
}

void SearchResultsPanel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Right:
        choose();
        return;
    case Qt::Key_Escape:
        NotificationCenter::defaultCenter().post(ContentNotifications::closeSearchWindow);
        hide();
        return;
    default:
        AttachedPanel::keyPressEvent(event);
    }
}

void SearchResultsPanel::choose()
{
    m_controller.chooseSelected();
}
