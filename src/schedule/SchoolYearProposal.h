#pragma once

#include "foundation/dates/Date.h"

// The school year the new-year wizard proposes: from the Tuesday after the
// first Monday of September to the third Friday of June of the next year.
// Once 30 May has begun the coming school year is proposed, before it the
// current one.
class SchoolYearProposal {
public:
    static SchoolYearProposal forDate(Date now);

    Date start() const { return m_start; }
    Date end() const { return m_end; }

private:
    SchoolYearProposal(Date start, Date end)
        : m_start(start)
        , m_end(end)
    { }

    Date m_start;
    Date m_end;
};
