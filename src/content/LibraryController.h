#pragma once

#include "content/LessonLibrary.h"

#include <QList>
#include <QString>
#include <QVariantMap>

class AlertPresenter;
class Lesson;

// The library window: the saved lessons sorted by title, filtered by the
// search text, with title editing, removing and dragging out.
class LibraryController {
public:
    static const QString noTitle;

    LibraryController(AlertPresenter& alerts, QString path = LessonLibrary::defaultPath());

    // Sends the lesson's content to the library; false (after telling the
    // teacher why) when the library could not be read or written.
    static bool sendToLibrary(
        const Lesson& lesson, AlertPresenter& alerts, const QString& path = LessonLibrary::defaultPath());

    // Reads the file again; an unreadable one shows nothing and is reported
    // (false).
    bool reload();
    void setSearchText(const QString& text);
    const QString& searchText() const { return m_searchText; }

    // The entries shown, in table order.
    int rowCount() const { return int(m_shown.size()); }
    const QVariantMap& entryAt(int row) const { return m_entries.at(m_shown.at(row)); }
    // The row's title, or the placeholder when it has none.
    QString titleAt(int row) const;
    bool tableHidden() const { return m_shown.isEmpty(); }
    QString statusText() const;

    int selectedRow() const { return m_selected; }
    void selectRow(int row);
    bool removeEnabled() const { return m_selected >= 0; }

    // An empty title stays empty: the placeholder is only shown.
    bool setTitle(int row, const QString& title);
    // Removes the selected entry, the one shown in that row.
    bool removeSelected();
    // The text a drag of the row carries: the entry's lesson dictionary.
    QString dragText(int row) const;

private:
    void sortEntries();
    void filter();
    bool writeBack();

    AlertPresenter& m_alerts;
    LessonLibrary m_library;
    QList<QVariantMap> m_entries;
    // Indexes into m_entries of the rows shown.
    QList<qsizetype> m_shown;
    QString m_searchText;
    int m_selected = -1;
};
