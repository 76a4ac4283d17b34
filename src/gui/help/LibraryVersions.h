#pragma once

#include <QList>
#include <QString>

// The libraries the planner is built on, with the versions it runs with now
// (the build's for libical, which cannot tell at run time).
namespace LibraryVersions {

struct Library {
    QString name;
    QString version;
};

QList<Library> all();

} // namespace LibraryVersions
