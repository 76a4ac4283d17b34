#pragma once

#include <QString>

#include <optional>

enum class NavSection { None, Courses, Month, Day, Settings, Feedback };

// What every page of one response shares: where the service lives, who is
// signed in, and the session's form token that each form carries.
struct PageFrame {
    // The service's address as configured (base_url), without a trailing
    // slash; a reverse proxy may put it under a path, which every link keeps.
    QString baseUrl;
    QString csrfToken;
    std::optional<QString> username; // none on the login, public and error pages of visitors
    bool administrator = false;
    NavSection section = NavSection::None;

    // The address of a page of the service, from its route ("/settings").
    QString href(const QString& route) const;
    // The full address of a page, for showing and sharing ("https://.../public/TOKEN").
    QString absoluteUrl(const QString& route) const;
};
