#include "gui/help/ShortcutsWindow.h"

#include "gui/help/ShortcutList.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

ShortcutsWindow::ShortcutsWindow(QWidget& window)
    : QDialog(&window)
    , m_window(window)
    , m_list(new QTreeWidget(this))
{
    setWindowTitle(tr("Keyboard Shortcuts"));
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({ tr("Command"), tr("Keys") });
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setAlternatingRowColors(true);
    m_list->setAccessibleName(tr("Keyboard shortcuts"));
    m_list->setAccessibleDescription(tr("Every command of the window that has keys, grouped by menu"));
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_list->header()->setStretchLastSection(false);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(520, 640);
}

void ShortcutsWindow::showEvent(QShowEvent* event)
{
    reload();
    QDialog::showEvent(event);
}

void ShortcutsWindow::reload()
{
    m_list->clear();
    QTreeWidgetItem* group = nullptr;
    for (const ShortcutList::Entry& entry : ShortcutList::of(m_window)) {
        if (!group || group->text(0) != entry.group) {
            group = new QTreeWidgetItem(m_list, { entry.group });
            QFont bold = group->font(0);
            bold.setBold(true);
            group->setFont(0, bold);
            group->setFirstColumnSpanned(true);
        }
        new QTreeWidgetItem(group, { entry.command, entry.keys.join(QStringLiteral(", ")) });
    }
    m_list->expandAll();
    m_list->setCurrentItem(nullptr);
}
