#include "content/LibraryController.h"

#include "content/ContentNotifications.h"
#include "foundation/alerts/AlertPresenter.h"
#include "foundation/notify/NotificationCenter.h"
#include "model/Lesson.h"
#include "model/LessonDictionary.h"

#include <algorithm>

const QString LibraryController::noTitle = QStringLiteral("No Title Provided");

namespace {

const QString titleKey = QStringLiteral("lessonTitle");

void informUnreadable(AlertPresenter& alerts, const QString& path, const QString& reason)
{
    alerts.inform(QStringLiteral("Library Unreadable"),
        QStringLiteral("The lesson library %1 could not be read (%2). It was left as it is; move it away to start a "
                       "new library.")
            .arg(path, reason));
}

} // namespace

LibraryController::LibraryController(AlertPresenter& alerts, QString path)
    : m_alerts(alerts)
    , m_library(std::move(path))
{ }

bool LibraryController::sendToLibrary(const Lesson& lesson, AlertPresenter& alerts, const QString& path)
{
    const LessonLibrary library(path);
    const Result<QList<QVariantMap>> entries = library.read();
    if (!entries) {
        informUnreadable(alerts, path, entries.error());
        return false;
    }
    const Status added = library.add(lesson.dictionaryForExport());
    if (!added) {
        alerts.inform(QStringLiteral("Library Not Saved"),
            QStringLiteral("The lesson could not be added to the library %1 (%2).").arg(path, added.error()));
        return false;
    }
    NotificationCenter::defaultCenter().post(ContentNotifications::refreshLibrary);
    return true;
}

bool LibraryController::reload()
{
    const Result<QList<QVariantMap>> entries = m_library.read();
    m_entries = entries ? *entries : QList<QVariantMap>();
    if (!entries)
        informUnreadable(m_alerts, m_library.path(), entries.error());
    sortEntries();
    filter();
    return entries.ok();
}

void LibraryController::sortEntries()
{
    std::stable_sort(m_entries.begin(), m_entries.end(), [](const QVariantMap& a, const QVariantMap& b) {
        const int byTitle = a.value(titleKey).toString().compare(b.value(titleKey).toString(), Qt::CaseInsensitive);
        if (byTitle != 0)
            return byTitle < 0;
        return a.value(QStringLiteral("position")).toLongLong() < b.value(QStringLiteral("position")).toLongLong();
    });
}

void LibraryController::setSearchText(const QString& text)
{
    m_searchText = text;
    filter();
}

void LibraryController::filter()
{
    m_shown.clear();
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).value(titleKey).toString().contains(m_searchText, Qt::CaseSensitive))
            m_shown.append(i);
    }
    m_selected = m_shown.isEmpty() ? -1 : 0;
}

QString LibraryController::titleAt(int row) const
{
    const QString title = entryAt(row).value(titleKey).toString();
    return title.isEmpty() ? noTitle : title;
}

QString LibraryController::statusText() const
{
    if (!tableHidden())
        return {};
    return m_searchText.isEmpty() ? QStringLiteral("No Library Lessons Found")
                                  : QStringLiteral("No Library Lessons Match Query");
}

void LibraryController::selectRow(int row)
{
    m_selected = row >= 0 && row < rowCount() ? row : -1;
}

bool LibraryController::setTitle(int row, const QString& title)
{
    if (row < 0 || row >= rowCount())
        return false;
    m_entries[m_shown.at(row)].insert(titleKey, title);
    return writeBack();
}

bool LibraryController::removeSelected()
{
    if (m_selected < 0)
        return false;
    m_entries.removeAt(m_shown.at(m_selected));
    return writeBack();
}

QString LibraryController::dragText(int row) const
{
    QVariantMap dictionary = entryAt(row);
    dictionary.remove(QStringLiteral("position"));
    return LessonDictionary::toText(dictionary);
}

// Written back in the order shown unfiltered, numbered afresh.
bool LibraryController::writeBack()
{
    const Status written = m_library.write(m_entries);
    if (!written)
        m_alerts.inform(QStringLiteral("Library Not Saved"),
            QStringLiteral("The library %1 could not be written (%2).").arg(m_library.path(), written.error()));
    reload();
    return bool(written);
}
