#pragma once

#include <QString>

// Names of the notifications of the standards and library windows and the search.
namespace ContentNotifications {
inline const QString standardAdded = QStringLiteral("SMStandardAdded");
inline const QString refreshLibrary = QStringLiteral("SemestraRefreshLibrary");
inline const QString closeLibrary = QStringLiteral("SemestraCloseLibrary");
inline const QString closeSearchWindow = QStringLiteral("SemestraCloseSearchWindow");
} // namespace ContentNotifications
