#pragma once

#include <QString>

// Where per-user working files live. The desktop layout keeps its support
// files (the lesson library, report PDFs) and its publishing working folders
// in two folders of the user's library; here both live in the application's
// XDG data folder (~/.local/share/Semestra), under the same file and folder
// names ("library.plist", "FTPExport", "LocalExport", ...).
class UserPaths {
public:
    // The folder itself, created on first use.
    static QString dataDirectory();
    // A file or folder inside it, by its relative name ("FTPExport/html").
    static QString filePath(const QString& relativeName);
};
