#pragma once

#include "foundation/alerts/AlertPresenter.h"

class QTextStream;

// Alerts on the command line: the title and text go to the error stream as
// one line and the default button is taken, as a user pressing Return would.
class CliAlertPresenter : public AlertPresenter {
public:
    explicit CliAlertPresenter(QTextStream& errors);

    int runModal(const Alert& alert) override;

private:
    QTextStream& m_errors;
};
