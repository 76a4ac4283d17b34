#pragma once

class AlertPresenter;
class Attachment;
class Workspace;

// Opens an attachment with the desktop's default program: a link in the
// browser, a file by its path. A missing file, or one no program is set to
// open, is reported and nothing else happens.
class AttachmentOpener {
public:
    AttachmentOpener(AlertPresenter& alerts, Workspace& workspace);

    // Whether the attachment was handed to a program.
    bool open(const Attachment& attachment);

private:
    AlertPresenter& m_alerts;
    Workspace& m_workspace;
};
