#include "coaching/questions.h"

#include "coaching/coach_state.h"
#include "coaching/main_video.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"

#include <QLabel>
#include <QRadioButton>
#include <QStringList>

namespace ks {

QString CoachQuestionId;

namespace {

const QStringList kForces{"Seasonal cycle", "Competitor Impact", "Legislation", "Suppliers", "Economic"};

void showStep(MainVideo& video, const char* id, const QString& question, const QStringList& answers)
{
    passingOn(id, [&] {
        ResetAnswerOptions(video);
        video.LabelCoach->setText(question);
        CoachQuestionId = id;
        video.LabelQid->setText(CoachQuestionId);
        for (int i = 0; i < answers.size() && i < int(video.Optionyesno.size()); ++i) {
            video.Optionyesno[size_t(i)]->setText(answers[i]);
            video.Optionyesno[size_t(i)]->show();
        }
    });
}

}

void ResetAnswerOptions(MainVideo& video)
{
    for (QRadioButton* option : video.Optionyesno)
        option->hide();
}

void ShowGenquest1_1_1(MainVideo& video)
{
    showStep(video, "genquest1_1_1", "What could we have done better!\r\rWe need to improve!",
             QStringList(5, "Adjust budget"));
}

void ShowGenquest1_1_2(MainVideo& video)
{
    showStep(video, "genquest1_1_2", "Let's see if we can pinpoint the reasons!\r\rWe need to improve!", kForces);
}

void ShowGenquest1_2_1(MainVideo& video)
{
    showStep(video, "genquest1_2_1", "What sort of external forces!\r\rWe need to improve!", kForces);
}

void ShowGenquest1_2_2(MainVideo& video)
{
    showStep(video, "genquest1_2_2", "What do you think are the cause of your people issues!",
             {"Motivation and morale", "Training", "Goals", "Culture"});
}

void ShowGenquest1_2_3(MainVideo& video)
{
    showStep(video, "genquest1_2_3", "Let's see if we can pinpoint the reasons!\r\rWe need to improve!", kForces);
}

void Command2_Click(MainVideo& video)
{
    try {
        for (size_t i = 0; i < video.Optionyesno.size(); ++i)
            if (video.Optionyesno[i]->isChecked()) {
                CoachQuestionId += "_" + QString::number(i + 1);
                break;
            }
        if (CoachQuestionId == "_1") {
            if (scorecardLink().showScorecardWindow)
                scorecardLink().showScorecardWindow();
        } else if (CoachQuestionId == "genquest1_1_1") ShowGenquest1_1_1(video);
        else if (CoachQuestionId == "genquest1_1_2") ShowGenquest1_1_2(video);
        else if (CoachQuestionId == "genquest1_2_1") ShowGenquest1_2_1(video);
        else if (CoachQuestionId == "genquest1_2_2") ShowGenquest1_2_2(video);
        else if (CoachQuestionId == "genquest1_2_3") ShowGenquest1_2_3(video);
        else video.LabelQid->setText(CoachQuestionId);
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "Error in Files_Source: Command2_click");
    }
}

}
