#pragma once

#include <QDialog>

#include <array>

class PublishOptionsController;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class Workspace;
class Year;
class AlertPresenter;

// The publishing options sheet ("PublishOptionsWindow"): the theme, the
// site's texts and which parts of a lesson the pages show. Open Preview
// writes a preview from the sheet's choices and shows it in the web
// browser; OK keeps the choices, Cancel forgets them.
class PublishOptionsSheet : public QDialog {
    Q_OBJECT
public:
    PublishOptionsSheet(
        PublishOptionsController& controller, AlertPresenter& alerts, Workspace& workspace, QWidget* window);

    // Shows the year's settings again, for another showing.
    void windowDidLoad();

    QListWidget* themeList() const { return m_themes; }
    QLineEdit* titleField() const { return m_title; }
    QPlainTextEdit* introductionField() const { return m_introduction; }
    QCheckBox* fieldSwitch(int field) const { return m_fields[size_t(field)]; }
    QCheckBox* creditSwitch() const { return m_credit; }
    QPushButton* previewButton() const { return m_preview; }

    void openPreviewPressed();
    void okPressed();

private:
    void readChoices();
    QWidget* createChoices();

    PublishOptionsController& m_controller;
    AlertPresenter& m_alerts;
    Workspace& m_workspace;
    QListWidget* m_themes = nullptr;
    QLineEdit* m_title = nullptr;
    QPlainTextEdit* m_introduction = nullptr;
    QLineEdit* m_header = nullptr;
    QLineEdit* m_footer = nullptr;
    std::array<QCheckBox*, 6> m_fields {};
    QCheckBox* m_files = nullptr;
    QCheckBox* m_links = nullptr;
    QCheckBox* m_standards = nullptr;
    QCheckBox* m_credit = nullptr;
    QPushButton* m_preview = nullptr;
};
