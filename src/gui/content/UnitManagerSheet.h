#pragma once

#include <QDialog>

class FileChooser;
class QComboBox;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class Unit;
class UnitManagerController;

// The units of one course at a time: adding, renaming in place, deleting,
// and exporting the selected unit into a folder the teacher picks.
class UnitManagerSheet : public QDialog {
    Q_OBJECT
public:
    UnitManagerSheet(UnitManagerController& controller, FileChooser& files, QWidget* window);

    // Lists the controller's courses and the chosen course's units.
    void load();

    QComboBox* courseChooser() const { return m_courses; }
    QListWidget* unitList() const { return m_units; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* deleteButton() const { return m_delete; }
    QPushButton* exportButton() const { return m_export; }

private:
    void courseChosen(int index);
    void loadUnits();
    Unit* selectedUnit() const;
    void updateButtons();
    void addUnit();
    void deleteUnit();
    void exportUnit();
    // The item shows the unit's name afterwards: a refused name goes back
    // to the old one.
    void unitEdited(QListWidgetItem* item);

    UnitManagerController& m_controller;
    FileChooser& m_files;
    QComboBox* m_courses = nullptr;
    QListWidget* m_units = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_export = nullptr;
};
