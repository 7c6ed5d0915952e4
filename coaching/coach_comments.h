#pragma once
// The coach's answers to what the user does on the month view: a comment on a
// changed actual or target, the explanation of a clicked section, and the
// welcome when a scorecard is loaded.
namespace ks {

// After a value edit of the KPI in sheet-1 row `row` was written into the history.
void coachcomment(int row);
// After a click on (row, column) that ended no edit.
void Videogeneralinformation(int row, int column);
// After a scorecard was loaded or opened.
void startupcomments();

}
