#pragma once

#include <QStringList>

class QMimeData;

namespace AttachmentDrop {

// The files and addresses a drag or the clipboard carries: its URLs (file
// URLs fully escaped), or else the lines of its text.
QStringList locations(const QMimeData* data);

} // namespace AttachmentDrop
