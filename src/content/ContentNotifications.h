#pragma once

#include <QString>

// Names of the notifications of the standards and library windows and the search.
namespace ContentNotifications {
// Standards were added, imported or removed: outlines of standards reload.
inline const QString standardAdded = QStringLiteral("SMStandardAdded");
// A standard's short name or text changed; the object is the standard.
inline const QString standardChanged = QStringLiteral("SMStandardChanged");
inline const QString refreshLibrary = QStringLiteral("SemestraRefreshLibrary");
inline const QString closeLibrary = QStringLiteral("SemestraCloseLibrary");
inline const QString closeSearchWindow = QStringLiteral("SemestraCloseSearchWindow");
} // namespace ContentNotifications
