#pragma once

#include <QList>
#include <QSize>
#include <QString>

class Lesson;
class Year;

// The search results panel: the lessons of the year whose title or text
// holds the search term, in date order, and the choice of one of them.
class SearchResultsController {
public:
    static const QSize emptyPanelSize;
    static const QSize fullPanelSize;

    // Lessons whose title, body, homework or public comment contain the
    // term ignoring case, or whose custom fields contain it ignoring case and
    // accents; by date. Nothing for an empty term.
    static QList<Lesson*> searchForString(const Year& year, const QString& term);

    void setYear(Year* year) { m_year = year; }
    Year* year() const { return m_year; }
    void search(const QString& term);
    const QString& searchTerm() const { return m_searchTerm; }
    const QList<Lesson*>& searchResults() const { return m_searchResults; }

    bool tableHidden() const { return !m_searchTerm.isEmpty() && m_searchResults.isEmpty(); }
    QSize panelSize() const { return tableHidden() ? emptyPanelSize : fullPanelSize; }

    int selectedRow() const { return m_selected; }
    void selectRow(int row);
    Lesson* selectedLesson() const;
    // Posts "SemestraLessonSelectedFromSearch" with the selected lesson.
    void chooseSelected();
    // The go button of a row: only a lesson of these results is taken.
    void goPressed(Lesson* lesson);

    // What a result row shows: the lesson's title or the placeholder, and the
    // day of month and month name of its date badge.
    static QString rowTitle(const Lesson& lesson);
    static QString badgeDay(const Lesson& lesson);
    static QString badgeMonth(const Lesson& lesson);

private:
    Year* m_year = nullptr;
    QString m_searchTerm;
    QList<Lesson*> m_searchResults;
    int m_selected = -1;
};
