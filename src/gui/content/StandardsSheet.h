#pragma once

#include "foundation/notify/ObserverBag.h"

#include <QDialog>

class FileChooser;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class Standard;
class StandardsController;
class StandardsTree;

// The standards window: the year's outline, the chosen standard's short name
// and text, and adding, removing, importing and exporting standards.
class StandardsSheet : public QDialog {
public:
    StandardsSheet(StandardsController& controller, FileChooser& files, QWidget* window);
    ~StandardsSheet() override;

    // Loads the outline with the root chosen.
    void load();

    StandardsTree* outline() const { return m_outline; }
    QLineEdit* shortNameEdit() const { return m_shortName; }
    QPlainTextEdit* textEdit() const { return m_text; }
    QCheckBox* showShortNamesBox() const { return m_showShortNames; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* removeButton() const { return m_remove; }

private:
    void reloadOutline();
    void selectStandard(Standard* standard);
    void selectionChanged();
    void showEditedStandard();
    void shortNameEdited();
    void textEdited();
    void addStandard();
    void removeStandard();
    void importStandards();
    void exportStandards();

    StandardsController& m_controller;
    FileChooser& m_files;
    StandardsTree* m_outline = nullptr;
    QLineEdit* m_shortName = nullptr;
    QPlainTextEdit* m_text = nullptr;
    QCheckBox* m_showShortNames = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    bool m_loading = false;
    ObserverBag m_observers;
};
