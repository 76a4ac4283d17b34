#pragma once

#include "publish/SiteSnapshot.h"

#include <optional>

class Year;

// The publishing options sheet: the theme, the site's texts and which parts
// of a lesson go on the pages, edited on a copy until the teacher confirms,
// and a preview written from that copy into a folder of its own. Neither
// the preview nor cancelling changes the document.
class PublishOptionsController {
public:
    explicit PublishOptionsController(Year& year);

    // Reads the stored settings again, for another showing of the sheet.
    void windowDidLoad();

    // The theme list's choice; the first theme when the stored one is not
    // in the list. Choosing one remembers it as the user's theme for
    // years that have none.
    const QString& theme() const { return m_settings.theme; }
    void selectTheme(const QString& theme);

    // What the sheet edits: texts, switches and theme (not the ranges).
    SiteSettings& settings() { return m_settings; }
    const SiteSettings& settings() const { return m_settings; }

    // Stores the edited settings in the year.
    void okPressed();

    // Writes the preview (the month and day of the year's first lesson with
    // data, its course's address and the top-level page) and answers the
    // page to show: the day page, or the top-level page when no lesson has
    // data. None when the preview folder could not be written.
    std::optional<QString> buildPreview();
    // Where previews go (a folder of the user's cache); it is emptied
    // before each preview, so it must be the preview's own.
    static QString defaultPreviewFolder();
    void setPreviewFolder(const QString& folder) { m_previewFolder = folder; }

private:
    Year& m_year;
    SiteSettings m_settings;
    QString m_previewFolder = defaultPreviewFolder();
};
