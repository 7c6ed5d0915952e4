#pragma once
// Tools > Graph Options: the kind of chart the report draws for every KPI, kept in the
// scorecard's graph-type cell as the chart type code the report screen and the charts use.
#include "platform/runtime/form.h"

#include <array>
#include <cstdint>

class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;

namespace ks {

class FormGraphOptions : public Form {
public:
    FormGraphOptions();

    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QFrame* PictureSetupInformation = nullptr;
    std::array<QRadioButton*, 7> Option1{};
    QPushButton* CommandOK = nullptr;
    QPushButton* CommandCancel = nullptr;

    // The ticked button of Option1; -1 while the stored type is one no button stands for.
    std::int32_t ChosenGraphOption = -1;

    // The chart type code a button stands for; 0 for none (a kind the charts do not draw).
    static int chartTypeOf(int option);
    // The first button that stands for a chart type code; -1 for none.
    static int optionOf(int chartType);

    void Option1_Click(int index);
    void CommandOK_Click();
    void CommandCancel_Click();
    void Form_Resize();

protected:
    void Form_Load() override;
    void resizeEvent(QResizeEvent* event) override;
};

}
