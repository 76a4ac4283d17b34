#pragma once

#include "foundation/alerts/AlertPresenter.h"

#include <QPointer>

class QWidget;

// Shows alerts as message boxes, modal to the document window they belong to.
class MessageBoxAlertPresenter : public AlertPresenter {
public:
    explicit MessageBoxAlertPresenter(QWidget* window);

    int runModal(const Alert& alert) override;

private:
    QPointer<QWidget> m_window;
};
