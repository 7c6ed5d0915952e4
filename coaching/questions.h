#pragma once
// The coaching questions: a tree of question ids that each answer extends.
#include <QString>

namespace ks {

class MainVideo;

// The id of the question in progress; it only grows.
extern QString CoachQuestionId;

// The arrow button: appends the chosen answer and runs what the new id names.
void Command2_Click(MainVideo& video);

void ResetAnswerOptions(MainVideo& video);
void ShowGenquest1_1_1(MainVideo& video);
void ShowGenquest1_1_2(MainVideo& video);
void ShowGenquest1_2_1(MainVideo& video);
void ShowGenquest1_2_2(MainVideo& video);
void ShowGenquest1_2_3(MainVideo& video);

}
