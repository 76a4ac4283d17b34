#pragma once

#include "content/Workspace.h"

// The freedesktop.org desktop: a file's type from the shared MIME database,
// its default program from xdg-mime, opening through the desktop services.
class DesktopWorkspace : public Workspace {
public:
    bool hasApplicationFor(const QString& path) const override;
    bool open(const QUrl& url) override;
};
