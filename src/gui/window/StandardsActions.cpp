#include "gui/window/StandardsActions.h"

#include "content/ContentNotifications.h"
#include "content/StandardsController.h"
#include "gui/content/LibraryPanel.h"
#include "gui/content/SearchResultsPanel.h"
#include "gui/content/StandardsSheet.h"
#include "gui/window/DocumentWindow.h"
#include "model/Document.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QToolBar>

StandardsActions::StandardsActions(DocumentWindow& window)
    : QObject(&window)
    , m_window(window)
    , m_standards(std::make_unique<StandardsController>(window.alerts()))
    , m_manageStandards(new QAction(QStringLiteral("Learning Standards…"), this))
    , m_library(new QAction(QStringLiteral("Lesson Library"), this))
    , m_find(new QAction(QStringLiteral("Search Lessons"), this))
    , m_searchField(new QLineEdit(&window))
    , m_libraryPath(LessonLibrary::defaultPath())
{
    m_library->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    m_find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    m_searchField->setObjectName(QStringLiteral("searchField"));
    m_searchField->setPlaceholderText(QStringLiteral("Search lessons"));
    m_searchField->setClearButtonEnabled(true);
    m_searchField->setMaximumWidth(220);
    m_searchField->setAccessibleName(tr("Search lessons"));
    m_searchField->setAccessibleDescription(tr("Lists the lessons whose text contains what you type"));
    // The clear button is made with the field and has only an icon.
    for (QWidget* clear : m_searchField->findChildren<QWidget*>())
        clear->setAccessibleName(tr("Clear search"));
    connect(m_manageStandards, &QAction::triggered, this, &StandardsActions::manageLessonStandards);
    connect(m_library, &QAction::triggered, this, [this] {
        if (m_libraryPanel && m_libraryPanel->isVisible())
            closeLibrary();
        else
            showLibrary();
    });
    connect(m_find, &QAction::triggered, this, [this] {
        m_searchField->setFocus(Qt::ShortcutFocusReason);
        m_searchField->selectAll();
    });
    connect(m_searchField, &QLineEdit::textChanged, this, &StandardsActions::searchTextChanged);
    connect(m_searchField, &QLineEdit::returnPressed, this, &StandardsActions::searchEditingEnded);
    m_observers.observe(ContentNotifications::closeLibrary, nullptr, [this](const Notification&) { closeLibrary(); });
    m_observers.observe(
        ContentNotifications::closeSearchWindow, nullptr, [this](const Notification&) { closeSearch(); });
}

// The sheet edits through the controller owned here, so it goes first.
StandardsActions::~StandardsActions()
{
    delete m_standardsSheet;
}

void StandardsActions::addToMenu(QMenu* menu)
{
    menu->addSeparator();
    menu->addActions({ m_manageStandards, m_library, m_find });
}

void StandardsActions::addToToolBar(QToolBar* toolBar)
{
    toolBar->addAction(m_library);
    toolBar->addWidget(m_searchField);
}

void StandardsActions::manageLessonStandards()
{
    Year* year = m_window.document().getCurrentYear();
    if (!year)
        return;
    if (!m_standardsSheet)
        m_standardsSheet = new StandardsSheet(*m_standards, m_window.files(), &m_window);
    m_standards->setYear(year);
    m_standardsSheet->load();
    m_standardsSheet->open();
}

void StandardsActions::showLibrary()
{
    closeSearch();
    if (!m_libraryPanel)
        m_libraryPanel = new LibraryPanel(m_window.alerts(), &m_window, m_libraryPath);
    m_libraryPanel->reload();
    m_libraryPanel->attach();
    m_libraryPanel->table()->setFocus();
}

void StandardsActions::closeLibrary()
{
    if (m_libraryPanel)
        m_libraryPanel->hide();
}

void StandardsActions::closeSearch()
{
    if (m_searchPanel)
        m_searchPanel->hide();
    m_searchField->clear();
}

void StandardsActions::searchTextChanged(const QString& text)
{
    if (text.isEmpty()) {
        if (m_searchPanel)
            m_searchPanel->hide();
        return;
    }
    closeLibrary();
    if (!m_searchPanel)
        m_searchPanel = new SearchResultsPanel(&m_window);
    m_searchPanel->setYear(m_window.document().getCurrentYear());
    m_searchPanel->searchForString(text);
    if (!m_searchPanel->isVisible()) {
        m_searchPanel->attach();
        // Typing goes on in the field.
        m_window.activateWindow();
        m_searchField->setFocus();
    }
}

void StandardsActions::searchEditingEnded()
{
    if (m_searchPanel && m_searchPanel->isVisible())
        m_searchPanel->focusResults();
}
