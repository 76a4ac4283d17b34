#include "schedule/SchoolYearProposal.h"

#include "ScheduleFixture.h"

namespace {

class SchoolYearProposalTest : public ScheduleFixture {
protected:
    void expectProposal(Date now, Date start, Date end)
    {
        const SchoolYearProposal proposal = SchoolYearProposal::forDate(now);
        EXPECT_EQ(proposal.start(), start);
        EXPECT_EQ(proposal.end(), end);
    }
};

} // namespace

TEST_F(SchoolYearProposalTest, UntilThirtyMayBeginsTheCurrentSchoolYearIsProposed)
{
    // 1 September 2025 is the first Monday itself.
    expectProposal(local(2026, 5, 29, 23, 59), local(2025, 9, 2), local(2026, 6, 19));
    expectProposal(local(2026, 5, 30), local(2025, 9, 2), local(2026, 6, 19));
}

TEST_F(SchoolYearProposalTest, FromThirtyMayTheComingSchoolYearIsProposed)
{
    expectProposal(local(2026, 5, 30, 0, 1), local(2026, 9, 8), local(2027, 6, 18));
    expectProposal(local(2026, 12, 31, 23, 59), local(2026, 9, 8), local(2027, 6, 18));
}

TEST_F(SchoolYearProposalTest, FollowsTheSameRuleInEveryYear)
{
    expectProposal(local(2016, 1, 10), local(2015, 9, 8), local(2016, 6, 17));
    expectProposal(local(2016, 9, 1), local(2016, 9, 6), local(2017, 6, 16));
    expectProposal(local(2017, 7, 1), local(2017, 9, 5), local(2018, 6, 15));
    expectProposal(local(2031, 6, 2), local(2031, 9, 2), local(2032, 6, 18));
}
