#include "gui/dialogs/FileDialogChooser.h"

#include <QDir>
#include <QFileDialog>

namespace {

// "Semestra files (*.semestra *.binary)" from the allowed extensions.
QString nameFilter(const QStringList& types)
{
    if (types.isEmpty())
        return {};
    QStringList patterns;
    for (const QString& type : types)
        patterns << QStringLiteral("*.") + type;
    return QStringLiteral("Semestra files (%1)").arg(patterns.join(QLatin1Char(' ')));
}

std::optional<QString> run(QFileDialog& dialog)
{
    dialog.setWindowModality(Qt::WindowModal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

} // namespace

FileDialogChooser::FileDialogChooser(QWidget* window)
    : m_window(window)
{ }

std::optional<QString> FileDialogChooser::chooseSaveLocation(const SavePanelRequest& request)
{
    QFileDialog dialog(m_window, request.title, QDir(request.directory).filePath(request.proposedName),
        nameFilter(request.allowedTypes));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setLabelText(QFileDialog::LookIn, request.message);
    if (!request.nameFieldLabel.isEmpty())
        dialog.setLabelText(QFileDialog::FileName, request.nameFieldLabel);
    if (!request.prompt.isEmpty())
        dialog.setLabelText(QFileDialog::Accept, request.prompt);
    if (!request.allowedTypes.isEmpty())
        dialog.setDefaultSuffix(request.allowedTypes.first());
    dialog.setOption(QFileDialog::ReadOnly, !request.canCreateDirectories);
    return run(dialog);
}

std::optional<QString> FileDialogChooser::chooseFileToOpen(const OpenPanelRequest& request)
{
    QFileDialog dialog(m_window, request.title, request.directory, nameFilter(request.allowedTypes));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return run(dialog);
}

std::optional<QString> FileDialogChooser::chooseFolder(const OpenPanelRequest& request)
{
    QFileDialog dialog(m_window, request.title, request.directory);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    return run(dialog);
}
