#include "content/SearchResultsController.h"

#include "content/TextFolding.h"
#include "foundation/dates/DateFormatting.h"
#include "foundation/notify/NotificationCenter.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"
#include "store/EntityDescription.h"

#include <algorithm>
#include <array>

const QSize SearchResultsController::emptyPanelSize { 225, 100 };
const QSize SearchResultsController::fullPanelSize { 225, 300 };

namespace {

// Where the searched fields sit in a lesson record, looked up once per
// search rather than by key for every lesson.
class SearchedFields {
public:
    const QString& text(const Lesson& lesson, int field)
    {
        if (&lesson.entity() != m_entity) {
            m_entity = &lesson.entity();
            for (int i = 0; i < fieldCount; ++i)
                m_slots[size_t(i)] = m_entity->attributeIndex(keys()[size_t(i)]);
        }
        const QVariant& value = lesson.valueAtSlot(m_slots[size_t(field)]);
        m_text = value.toString();
        return m_text;
    }

    static constexpr int fieldCount = 7;
    // The first four are compared ignoring case; the custom fields also
    // ignoring accents.
    static constexpr int firstCustomField = 4;

private:
    static const std::array<QStringView, fieldCount>& keys()
    {
        static const std::array<QStringView, fieldCount> all { u"lessonTitle", u"lessonBodyString", u"homeworkString",
            u"publicCommentString", u"custom1String", u"custom2String", u"custom3String" };
        return all;
    }

    const EntityDescription* m_entity = nullptr;
    std::array<int, fieldCount> m_slots {};
    QString m_text;
};

bool matches(const Lesson& lesson, const QString& term, const QString& foldedTerm, SearchedFields& fields)
{
    for (int field = 0; field < SearchedFields::firstCustomField; ++field) {
        if (fields.text(lesson, field).contains(term, Qt::CaseInsensitive))
            return true;
    }
    for (int field = SearchedFields::firstCustomField; field < SearchedFields::fieldCount; ++field) {
        const QString& text = fields.text(lesson, field);
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
    SearchedFields fields;
    QList<std::pair<double, Lesson*>> found;
    for (Lesson* lesson : year.getAllLessons()) {
        const Day* day = lesson->dayTaught();
        if (day && matches(*lesson, term, foldedTerm, fields))
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
