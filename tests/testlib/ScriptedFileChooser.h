#pragma once

#include "foundation/alerts/FileChooser.h"

#include <QList>

// Answers file panels from a script, in order (nothing = cancelled), and
// records what each panel asked.
class ScriptedFileChooser : public FileChooser {
public:
    void answerNext(std::optional<QString> path) { m_answers.append(std::move(path)); }

    std::optional<QString> chooseSaveLocation(const SavePanelRequest& request) override
    {
        m_savePanels.append(request);
        return next();
    }
    std::optional<QString> chooseFileToOpen(const OpenPanelRequest& request) override
    {
        m_openPanels.append(request);
        return next();
    }
    std::optional<QString> chooseFolder(const OpenPanelRequest& request) override
    {
        m_folderPanels.append(request);
        return next();
    }

    const QList<SavePanelRequest>& savePanels() const { return m_savePanels; }
    const QList<OpenPanelRequest>& openPanels() const { return m_openPanels; }
    const QList<OpenPanelRequest>& folderPanels() const { return m_folderPanels; }

private:
    std::optional<QString> next() { return m_answers.isEmpty() ? std::nullopt : m_answers.takeFirst(); }

    QList<std::optional<QString>> m_answers;
    QList<SavePanelRequest> m_savePanels;
    QList<OpenPanelRequest> m_openPanels;
    QList<OpenPanelRequest> m_folderPanels;
};
