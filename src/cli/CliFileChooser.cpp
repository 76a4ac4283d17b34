#include "cli/CliFileChooser.h"

CliFileChooser::CliFileChooser(std::optional<QString> answer)
    : m_answer(std::move(answer))
{ }

std::optional<QString> CliFileChooser::chooseSaveLocation(const SavePanelRequest&)
{
    return m_answer;
}

std::optional<QString> CliFileChooser::chooseFileToOpen(const OpenPanelRequest&)
{
    return m_answer;
}

std::optional<QString> CliFileChooser::chooseFolder(const OpenPanelRequest&)
{
    return m_answer;
}
