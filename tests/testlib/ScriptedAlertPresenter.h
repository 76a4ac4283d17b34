#pragma once

#include "foundation/alerts/AlertPresenter.h"

#include <QList>

// Answers alerts from a script, in order, and records every alert it was shown.
// An alert asked for after the script ran out fails the current test and is
// answered with the default button.
class ScriptedAlertPresenter : public AlertPresenter {
public:
    ScriptedAlertPresenter() = default;
    explicit ScriptedAlertPresenter(QList<int> answers);

    void answerNext(int answer) { m_answers.append(answer); }
    int runModal(const Alert& alert) override;

    const QList<Alert>& shown() const { return m_shown; }
    const Alert& last() const { return m_shown.last(); }
    int pendingAnswers() const { return int(m_answers.size()); }

private:
    QList<int> m_answers;
    QList<Alert> m_shown;
};
