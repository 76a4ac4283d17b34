#pragma once

#include "foundation/dates/Date.h"
#include "foundation/dates/DateComponents.h"

#include <QHash>
#include <QSet>
#include <QStringList>

#include <array>

// The names of the folders and files of a published site. Every name is
// one path segment that stays inside its folder: no "/", no "." or "..", no
// leading dot, and none that another name of the same folder already took
// (compared without case, as many web servers and disks do).
namespace SiteNames {
// The course name with " ", "/", ";", "'", '"' and "\" (and the characters
// that other systems or addresses do not take in a name) replaced by "_".
QString courseNameForLink(const QString& courseName);
// The string in ASCII: accents dropped ("é" gives "e"), a few letters
// spelled out ("ß" gives "ss"), characters without an ASCII form left out.
QString stringByRemovingAccents(const QString& text);
// A file name for a copied attachment: the last path component, spaces to
// "_", accents removed, then only letters, digits, "_", "-" and "." kept.
QString cleanFileName(const QString& path);
// The folder of each course, in the order given: its link name, made safe
// and unique among the courses and the site's own names. Courses keep
// their folder as long as the earlier courses keep their names.
QStringList courseFolders(const QStringList& courseNames);

// Takes the names of one folder and hands out unique ones.
class FolderNames {
public:
    // `reserved` are names the folder holds already (compared without case).
    explicit FolderNames(const QStringList& reserved = {});
    // `wanted` when it is free and safe, else a safe variant ("name-2.pdf");
    // `fallback` when nothing of `wanted` is left.
    QString claim(const QString& wanted, const QString& fallback);

private:
    QSet<QString> m_taken;
};

// Month file and day folder names ("September25", "Sep22025") in the
// current locale, or in English where the locale's month names do not give
// twelve different names once reduced to ASCII (Greek, Russian, Chinese …).
class DateNames {
public:
    DateNames();

    // The accent-stripped full month name and the two-digit year.
    QString monthFileName(Date date) const;
    // The accent-stripped abbreviated month, the day and the four-digit year.
    QString dayFolderName(Date date) const;
    QString dayFolderName(const DateComponents& day) const;
    bool usesEnglishNames() const { return m_english; }
    // The locale's weekday names, Sunday first.
    const QStringList& weekdays() const { return m_weekdays; }
    const QStringList& shortWeekdays() const { return m_shortWeekdays; }

private:
    std::array<QString, 12> m_months;
    std::array<QString, 12> m_shortMonths;
    bool m_english = false;
    QStringList m_weekdays;
    QStringList m_shortWeekdays;
};
} // namespace SiteNames
