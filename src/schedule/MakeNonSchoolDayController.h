#pragma once

class AlertPresenter;
class Day;

// Takes a school day out of the plan. A non-rotating year only cancels days,
// asking first what to do with lesson content; a rotating year shows a sheet
// that chooses between a holiday and a cancelled day.
class MakeNonSchoolDayController {
public:
    enum class Kind { Holiday, Cancelled };
    enum class ExistingLessons { Bump, Delete };
    enum class Outcome { Done, ShowSheet };

    explicit MakeNonSchoolDayController(AlertPresenter& alerts);

    // The document's answer to "SemestraMakeNonSchoolDay". ShowSheet means
    // that nothing has changed yet: the sheet is to be shown, set up for the day.
    Outcome makeNonSchoolDay(Day& day);

    Day* day() const { return m_day; }
    Kind kind() const { return m_kind; }
    void setKind(Kind kind) { m_kind = kind; }
    // The question about existing lessons is shown only for a cancelled day.
    bool isLessonChoiceShown() const { return m_kind == Kind::Cancelled; }
    ExistingLessons existingLessons() const { return m_existingLessons; }
    void setExistingLessons(ExistingLessons choice) { m_existingLessons = choice; }

    // The sheet's confirmation: makes the change, then tells the views.
    void confirmPressed();
    void cancelPressed();

    // The change itself; a holiday ignores the lesson choice.
    static void apply(Day& day, Kind kind, ExistingLessons existingLessons);

private:
    void reset();

    AlertPresenter& m_alerts;
    Day* m_day = nullptr;
    Kind m_kind = Kind::Holiday;
    ExistingLessons m_existingLessons = ExistingLessons::Bump;
};
