#include "content/SearchResultsController.h"

#include "content/TextFolding.h"
#include "foundation/dates/DateFormatting.h"
#include "foundation/notify/NotificationCenter.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

#include <algorithm>

const QSize SearchResultsController::emptyPanelSize { 225, 100 };
const QSize SearchResultsController::fullPanelSize { 225, 300 };

namespace {

bool matches(const Lesson& lesson, const QString& term, const QString& foldedTerm)
{
    for (const char16_t* key : { u"lessonTitle", u"lessonBodyString", u"homeworkString", u"publicCommentString" }) {
        if (lesson.value<QString>(key).contains(term, Qt::CaseInsensitive))
            return true;
    }
    // The custom fields also ignore accents.
    for (const char16_t* key : { u"custom1String", u"custom2String", u"custom3String" }) {
        const QString text = lesson.value<QString>(key);
        if (!text.isEmpty() && TextFolding::withoutCaseAndDiacritics(text).contains(foldedTerm))
            return true;
    }
    return false;
}

} // namespace

QList<Lesson*> SearchResultsController::searchForString(const Year& year, const QString& term)
{
    if (term.isEmpty())
        return {};
    const QString foldedTerm = TextFolding::withoutCaseAndDiacritics(term);
    QList<std::pair<double, Lesson*>> found;
    for (Lesson* lesson : year.getAllLessons()) {
        const Day* day = lesson->dayTaught();
        if (day && matches(*lesson, term, foldedTerm))
            found.append({ day->actualDate().secondsSinceReferenceDate(), lesson });
    }
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<Lesson*> lessons;
    lessons.reserve(found.size());
    for (const auto& [date, lesson] : found)
        lessons.append(lesson);
    return lessons;
}

void SearchResultsController::search(const QString& term)
{
    m_searchTerm = term;
    m_searchResults = m_year ? searchForString(*m_year, term) : QList<Lesson*>();
    m_selected = -1;
}

void SearchResultsController::selectRow(int row)
{
    m_selected = row >= 0 && row < m_searchResults.size() ? row : -1;
}

Lesson* SearchResultsController::selectedLesson() const
{
    return m_selected >= 0 ? m_searchResults.at(m_selected) : nullptr;
}

void SearchResultsController::chooseSelected()
{
    if (Lesson* lesson = selectedLesson())
        NotificationCenter::defaultCenter().post(PlanningNotifications::lessonSelectedFromSearch, lesson);
}

void SearchResultsController::goPressed(Lesson* lesson)
{
    const qsizetype row = m_searchResults.indexOf(lesson);
    if (row < 0)
        return;
    selectRow(int(row));
    chooseSelected();
}

QString SearchResultsController::rowTitle(const Lesson& lesson)
{
    return lesson.hasTitle() ? lesson.lessonTitle() : QStringLiteral("No Title Provided");
}

QString SearchResultsController::badgeDay(const Lesson& lesson)
{
    return lesson.dayTaught() ? DateFormatting::formatPattern(lesson.dayTaught()->actualDate(), QStringLiteral("d"))
                              : QString();
}

QString SearchResultsController::badgeMonth(const Lesson& lesson)
{
    return lesson.dayTaught() ? DateFormatting::formatPattern(lesson.dayTaught()->actualDate(), QStringLiteral("MMMM"))
                              : QString();
}
