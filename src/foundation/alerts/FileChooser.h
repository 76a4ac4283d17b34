#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What a save panel asks: where to write a new file.
struct SavePanelRequest {
    QString title;
    QString message;
    QString nameFieldLabel;
    QString prompt;
    QString directory;
    QString proposedName;
    // File name extensions without the dot ("semestra").
    QStringList allowedTypes;
    bool canCreateDirectories = true;
};

// What an open panel asks: which existing file to read.
struct OpenPanelRequest {
    QString title;
    QString directory;
    QStringList allowedTypes;
};

// Lets controllers ask the user for files without knowing how: file dialogs
// in the GUI, arguments on the command line, a script in tests.
class FileChooser {
public:
    virtual ~FileChooser() = default;

    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> chooseSaveLocation(const SavePanelRequest& request) = 0;
    virtual std::optional<QString> chooseFileToOpen(const OpenPanelRequest& request) = 0;
    // An existing folder to write into; the request's types are not used.
    virtual std::optional<QString> chooseFolder(const OpenPanelRequest& request) = 0;
};
