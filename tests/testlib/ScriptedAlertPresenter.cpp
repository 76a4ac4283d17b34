#include "testlib/ScriptedAlertPresenter.h"

#include <gtest/gtest.h>

ScriptedAlertPresenter::ScriptedAlertPresenter(QList<int> answers)
    : m_answers(std::move(answers))
{ }

int ScriptedAlertPresenter::runModal(const Alert& alert)
{
    m_shown.append(alert);
    if (m_answers.isEmpty()) {
        ADD_FAILURE() << "unexpected alert: " << alert.title.toStdString() << " — " << alert.message.toStdString();
        return AlertDefaultReturn;
    }
    return m_answers.takeFirst();
}
