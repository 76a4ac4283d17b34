#include "gui/alerts/MessageBoxAlertPresenter.h"

#include <QMessageBox>
#include <QPushButton>

MessageBoxAlertPresenter::MessageBoxAlertPresenter(QWidget* window)
    : m_window(window)
{ }

int MessageBoxAlertPresenter::runModal(const Alert& alert)
{
    QMessageBox box(m_window);
    box.setWindowModality(m_window ? Qt::WindowModal : Qt::ApplicationModal);
    box.setIcon(QMessageBox::Warning);
    box.setText(alert.title);
    box.setInformativeText(alert.message);

    const QString defaultTitle = alert.defaultButton.isEmpty() ? QStringLiteral("OK") : alert.defaultButton;
    QPushButton* defaultButton = box.addButton(defaultTitle, QMessageBox::AcceptRole);
    QPushButton* alternateButton
        = alert.alternateButton.isEmpty() ? nullptr : box.addButton(alert.alternateButton, QMessageBox::RejectRole);
    QPushButton* otherButton
        = alert.otherButton.isEmpty() ? nullptr : box.addButton(alert.otherButton, QMessageBox::DestructiveRole);
    box.setDefaultButton(defaultButton);
    if (alternateButton)
        box.setEscapeButton(alternateButton);

    box.exec();
    if (box.clickedButton() == otherButton && otherButton)
        return AlertOtherReturn;
    if (box.clickedButton() == alternateButton && alternateButton)
        return AlertAlternateReturn;
    return AlertDefaultReturn;
}
