#pragma once

#include "server/web/WebViews.h"

#include <QDate>
#include <QString>

// The addresses the pages link to and post their forms to, and the names of
// the form fields, in one place so that the routes that answer them match
// what the pages send. Paths are relative to the service's base address.
namespace WebRoutes {

inline constexpr char home[] = "/"; // the year by course
inline constexpr char login[] = "/login"; // GET the form, POST username, password, csrf_token[, next]
inline constexpr char logout[] = "/logout"; // POST csrf_token
inline constexpr char styleSheet[] = "/connect.css";
inline constexpr char currentMonth[] = "/plan/month"; // the month of today, within the year
inline constexpr char today[] = "/plan/day"; // today, or the nearest school day
inline constexpr char settings[] = "/settings";
// POSTs from the settings page; each carries csrf_token.
inline constexpr char purgeYear[] = "/settings/purge"; // confirm=yes
inline constexpr char archiveYear[] = "/settings/archive"; // confirm=yes
inline constexpr char changePassword[] = "/settings/password"; // current_password, new_password, new_password_again
inline constexpr char signOutEverywhere[] = "/settings/signout-everywhere";
inline constexpr char deleteAccount[] = "/settings/delete-account"; // password, confirm_username
inline constexpr char desktopConfirmation[] = "/desktop/confirm"; // GET ?request=; POST request, decision
inline constexpr char feedbackList[] = "/admin/feedback";

namespace Field {
inline constexpr char csrfToken[] = "csrf_token";
inline constexpr char username[] = "username";
inline constexpr char password[] = "password";
inline constexpr char next[] = "next";
inline constexpr char confirm[] = "confirm"; // the checkbox of a destructive form, value "yes"
inline constexpr char confirmUsername[] = "confirm_username";
inline constexpr char currentPassword[] = "current_password";
inline constexpr char newPassword[] = "new_password";
inline constexpr char newPasswordAgain[] = "new_password_again";
inline constexpr char publicLink[] = "public"; // "on" or "off"
inline constexpr char request[] = "request";
inline constexpr char decision[] = "decision"; // "allow" or "deny"
} // namespace Field

QString course(const QString& courseId); // /plan/courses/ID
QString month(QDate anyDayOfMonth); // /plan/month/2025-10
QString day(QDate date); // /plan/day/2025-10-14
QString file(const FileView& file); // /plan/attachfiles/ID or /plan/assignment_attachfiles/ID
QString publicCourse(const QString& publicToken); // /public/TOKEN
QString publicFile(const QString& publicToken, const FileView& file); // /public/TOKEN/attachfiles/ID
QString coursePublicSwitch(const QString& courseId); // POST public=on|off
QString revokeDesktopSession(const QString& sessionId); // POST

} // namespace WebRoutes
