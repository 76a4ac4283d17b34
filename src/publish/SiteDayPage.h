#pragma once

#include "publish/SiteSnapshot.h"

#include <QHash>
#include <QSet>

// One course's page for one day, as the generator lays the site out: the
// folder it lives in, whether a page is there to link to, and the names
// its copied files go by. Month and day pages read the same names, so a
// link always names the copy beside the page.
struct SiteDayPage {
    const SiteCourseDay* courseDay = nullptr;
    const SiteDay* day = nullptr;
    QString folder;
    // Written by this publish (the day is in the lesson range).
    bool written = false;
    // Written now or left by an earlier publish.
    bool linked = false;
    QHash<const SiteFile*, QString> fileNames;
    // Files that are copied now or whose copy is there already.
    QSet<const SiteFile*> availableFiles;
    // Neighbouring pages, as (folder, long date); empty folder for none.
    QString previousFolder;
    QString previousLabel;
    QString nextFolder;
    QString nextLabel;
};

// A month of the calendar range: the month page's file name and the
// month as a reader names it.
struct SiteMonth {
    int year = 0;
    int month = 0;
    Date firstDay;
    QString fileName;
    QString label;
};
