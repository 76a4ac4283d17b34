#pragma once

#include <QString>

// One modal question or failure report: a title, a message and up to three
// buttons. Empty button titles mean "no such button"; an alert with none at
// all shows a single "OK" as its default button.
struct Alert {
    QString title;
    QString message;
    QString defaultButton;
    QString alternateButton;
    QString otherButton;
};

// What the user chose. The numeric values are those callers compare against.
enum AlertReturn : int {
    AlertDefaultReturn = 1,
    AlertAlternateReturn = 0,
    AlertOtherReturn = -1,
};

// Controllers talk to the user only through this interface, so that they run
// in tests (with a scripted presenter) and in the GUI (with message boxes).
class AlertPresenter {
public:
    virtual ~AlertPresenter() = default;

    // Shows the alert and blocks until the user answers.
    virtual int runModal(const Alert& alert) = 0;

    // Convenience for the common single-button failure report.
    void inform(const QString& title, const QString& message);
};
