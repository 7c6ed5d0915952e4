#include "coaching/coach_state.h"

namespace ks {

std::array<std::int16_t, 7> CoachCommentCounters{};
int OpenedFromVideoOptions = 0;
int NewScorecardPending = 0;

void ClearCoachCommentCounters() { CoachCommentCounters.fill(0); }

ScorecardLink& scorecardLink()
{
    static ScorecardLink link;
    return link;
}

}
