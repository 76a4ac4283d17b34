#include "gui/content/LibraryPanel.h"

#include "content/ContentNotifications.h"
#include "foundation/notify/NotificationCenter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace {

constexpr QPoint libraryOffset { 28, 73 };
constexpr QSize librarySize { 260, 320 };

// Rows carry the lesson dictionary as text, which a lesson takes when the
// row is dropped on it.
class LibraryList : public QListWidget {
public:
    LibraryList(LibraryController& controller, QWidget* parent)
        : QListWidget(parent)
        , m_controller(controller)
    {
        setDragEnabled(true);
        setDragDropMode(QAbstractItemView::DragOnly);
    }

protected:
    QStringList mimeTypes() const override { return { QStringLiteral("text/plain") }; }
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override
    {
        if (items.isEmpty())
            return nullptr;
        auto* data = new QMimeData;
        data->setText(m_controller.dragText(row(items.first())));
        return data;
    }
    void startDrag(Qt::DropActions actions) override
    {
        QListWidget::startDrag(actions);
        NotificationCenter::defaultCenter().post(ContentNotifications::closeLibrary);
    }

private:
    LibraryController& m_controller;
};

} // namespace

LibraryPanel::LibraryPanel(AlertPresenter& alerts, QWidget* window, const QString& libraryPath)
    : AttachedPanel(window, libraryOffset, librarySize)
    , m_controller(alerts, libraryPath)
    , m_search(new QLineEdit(this))
    , m_table(new LibraryList(m_controller, this))
    , m_status(new QLabel(this))
    , m_remove(new QPushButton(tr("Remove"), this))
{
    setObjectName(QStringLiteral("LibraryViewController"));
    m_search->setPlaceholderText(tr("Filter by title"));
    m_search->setClearButtonEnabled(true);
    m_search->setAccessibleName(tr("Filter library by title"));
    for (QWidget* clear : m_search->findChildren<QWidget*>())
        clear->setAccessibleName(tr("Clear filter"));
    m_table->setAccessibleName(tr("Library lessons"));
    m_remove->setAccessibleName(tr("Remove from library"));
    m_status->setAlignment(Qt::AlignCenter);
    m_status->setWordWrap(true);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    auto* close = new QPushButton(tr("Close"), this);
    close->setAccessibleName(tr("Close library"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_remove);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("<b>Lesson Library</b>"), this));
    layout->addWidget(m_search);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_status, 1);
    layout->addLayout(buttons);

    connect(m_search, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_controller.setSearchText(text);
        fill();
    });
    connect(m_table, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_filling)
            m_controller.selectRow(row);
        m_remove->setEnabled(m_controller.removeEnabled());
    });
    connect(m_table, &QListWidget::itemChanged, this, &LibraryPanel::titleEdited);
    connect(m_remove, &QPushButton::clicked, this, &LibraryPanel::removeSelected);
    connect(close, &QPushButton::clicked, this,
        [] { NotificationCenter::defaultCenter().post(ContentNotifications::closeLibrary); });
    m_observers.observe(ContentNotifications::refreshLibrary, nullptr, [this](const Notification&) { reload(); });
}

void LibraryPanel::reload()
{
    m_controller.reload();
    fill();
}

void LibraryPanel::fill()
{
    const QScopedValueRollback filling(m_filling, true);
    m_table->clear();
    for (int row = 0; row < m_controller.rowCount(); ++row) {
        auto* item = new QListWidgetItem(m_controller.titleAt(row), m_table);
        item->setFlags(item->flags() | Qt::ItemIsEditable | Qt::ItemIsDragEnabled);
        if (m_controller.entryAt(row).value(QStringLiteral("lessonTitle")).toString().isEmpty())
            item->setForeground(Qt::gray);
    }
    m_table->setVisible(!m_controller.tableHidden());
    m_status->setVisible(m_controller.tableHidden());
    m_status->setText(m_controller.statusText());
    m_table->setCurrentRow(m_controller.selectedRow());
    m_remove->setEnabled(m_controller.removeEnabled());
}

void LibraryPanel::titleEdited(QListWidgetItem* item)
{
    if (m_filling)
        return;
    const int row = m_table->row(item);
    // The placeholder left in place is not a title.
    const QString text = item->text() == LibraryController::noTitle ? QString() : item->text();
    m_controller.setTitle(row, text);
    fill();
}

void LibraryPanel::removeSelected()
{
    m_controller.removeSelected();
    fill();
}
