#pragma once

#include "foundation/notify/ObserverBag.h"

#include <QObject>

#include <memory>

class DocumentWindow;
class LibraryPanel;
class QAction;
class QLineEdit;
class QMenu;
class QToolBar;
class SearchResultsPanel;
class StandardsController;
class StandardsSheet;

// The document window's learning standards, lesson library and search: the
// standards window, the library panel and the search field with its results
// panel. At most one of the two panels is open at a time.
class StandardsActions : public QObject {
    Q_OBJECT
public:
    explicit StandardsActions(DocumentWindow& window);
    ~StandardsActions() override;

    void addToMenu(QMenu* menu);
    void addToToolBar(QToolBar* toolBar);

    QAction* manageStandardsAction() const { return m_manageStandards; }
    QAction* libraryAction() const { return m_library; }
    // Puts the keyboard in the search field, its text selected for a new search.
    QAction* findAction() const { return m_find; }
    QLineEdit* searchField() const { return m_searchField; }
    StandardsSheet* standardsSheet() const { return m_standardsSheet; }
    LibraryPanel* libraryPanel() const { return m_libraryPanel; }
    SearchResultsPanel* searchPanel() const { return m_searchPanel; }

    // The library file; the user's by default, another one in tests.
    void setLibraryPath(const QString& path) { m_libraryPath = path; }

    void manageLessonStandards();
    void showLibrary();
    void closeLibrary();
    void closeSearch();

private:
    void searchTextChanged(const QString& text);
    void searchEditingEnded();

    DocumentWindow& m_window;
    std::unique_ptr<StandardsController> m_standards;
    StandardsSheet* m_standardsSheet = nullptr;
    LibraryPanel* m_libraryPanel = nullptr;
    SearchResultsPanel* m_searchPanel = nullptr;
    QAction* m_manageStandards = nullptr;
    QAction* m_library = nullptr;
    QAction* m_find = nullptr;
    QLineEdit* m_searchField = nullptr;
    QString m_libraryPath;
    ObserverBag m_observers;
};
