#pragma once

#include "foundation/alerts/FileChooser.h"

// Files on the command line come from the arguments: the chooser answers
// with the path it was given, or cancels when there is none, since a script
// cannot be asked.
class CliFileChooser : public FileChooser {
public:
    explicit CliFileChooser(std::optional<QString> answer = std::nullopt);

    std::optional<QString> chooseSaveLocation(const SavePanelRequest& request) override;
    std::optional<QString> chooseFileToOpen(const OpenPanelRequest& request) override;
    std::optional<QString> chooseFolder(const OpenPanelRequest& request) override;

private:
    std::optional<QString> m_answer;
};
