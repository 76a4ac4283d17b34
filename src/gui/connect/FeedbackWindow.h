#pragma once

#include "connect/FeedbackController.h"

#include <QDialog>

class AlertPresenter;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabBar;
class QTextEdit;
class SyncConnection;

// The send-feedback window: a bug report, a feature request or a support
// question, with contact details and, if the teacher agrees, a short
// profile of the computer.
class FeedbackWindow : public QDialog {
    Q_OBJECT
public:
    FeedbackWindow(SyncConnection& connection, AlertPresenter& alerts, QWidget* parent = nullptr);

    FeedbackController& controller() { return m_controller; }
    QTabBar* sections() const { return m_sections; }
    QTextEdit* text() const { return m_text; }
    QLineEdit* name() const { return m_name; }
    QComboBox* email() const { return m_email; }
    QCheckBox* includeContact() const { return m_includeContact; }
    QCheckBox* includeProfile() const { return m_includeProfile; }
    QPushButton* sendButton() const { return m_send; }

    void submit();

private:
    void post(const QString& profile);
    void setSending(bool sending);

    FeedbackController m_controller;
    QTabBar* m_sections;
    QTextEdit* m_text;
    QLineEdit* m_name;
    QComboBox* m_email;
    QCheckBox* m_includeContact;
    QCheckBox* m_includeProfile;
    QProgressBar* m_progress;
    QPushButton* m_send;
    QPushButton* m_cancel;
};
