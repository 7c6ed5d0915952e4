// Reporting a failure: the text and caption of the box, and which steps say nothing.
#include "platform/runtime/app.h"
#include "platform/ui/failure.h"
#include "tests/support/scripted_ui.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace ks;

namespace {

const RuntimeError kDiskFull(61, "Disk full", "Workbook");

TEST(ShowFailure, DescriptionAndNumberUnderTheHandlersCaption)
{
    test::ScriptedUi script;
    App::setTitle("Orvantis");
    script.answerMessage(ui::OK);
    script.answerMessage(ui::OK);
    script.answerMessage(ui::OK);
    ui::showFailure(kDiskFull, "Mnu File Save");
    ui::showFailure(kDiskFull, "Error ", "We have a problem saving.");
    ui::showFailure(kDiskFull, {});

    const auto boxes = script.messageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, "Disk full\r\r(Error #61)");
    EXPECT_EQ(boxes[0].caption, "Mnu File Save");
    EXPECT_EQ(boxes[0].buttons, ui::OKOnly);
    EXPECT_EQ(boxes[0].icon, ui::NoIcon);
    EXPECT_EQ(boxes[1].text, "We have a problem saving.\r\rDisk full\r\r(Error #61)");
    EXPECT_EQ(boxes[1].caption, "Error ") << "captions are kept as the handlers spell them";
    EXPECT_EQ(boxes[2].caption, "Orvantis");
}

TEST(RunStep, AFailedStepIsShownUnlessItsNumberPassesSilently)
{
    test::ScriptedUi script;
    script.answerMessage(ui::OK);
    int ran = 0;
    EXPECT_TRUE(ui::runStep("Caption", [&] { ++ran; }));
    EXPECT_FALSE(ui::runStep("Caption", [&] { throw kDiskFull; }));
    EXPECT_FALSE(ui::runStep("Caption", [&] { throw RuntimeError(20024, "No printer"); }, {20023, 20024}));
    EXPECT_EQ(ran, 1);
    ASSERT_EQ(script.messageBoxes().size(), 1u);
    EXPECT_EQ(script.messageBoxes()[0].text, "Disk full\r\r(Error #61)");

    // Only the program's own failures are a step's to report.
    EXPECT_THROW(ui::runStep("Caption", [] { throw std::logic_error("bug"); }), std::logic_error);
}

TEST(RunStepShowingSource, NumberDescriptionAndTheProceduresPassedThrough)
{
    test::ScriptedUi script;
    App::setTitle("Orvantis");
    script.answerMessage(ui::OK);
    ui::setHourglass(true);
    EXPECT_FALSE(ui::runStepShowingSource([] {
        RuntimeError e(5, "Invalid procedure call", "SpreadForm");
        throw e.passOn("Toolbar1_ButtonClick");
    }));
    EXPECT_TRUE(ui::runStepShowingSource([] {}));
    EXPECT_FALSE(ui::hourglass()) << "the box is not shown under the hourglass";
    ASSERT_EQ(script.messageBoxes().size(), 1u);
    EXPECT_EQ(script.messageBoxes()[0].text, "5 Invalid procedure call\r\nSpreadForm\r\nToolbar1_ButtonClick");
    EXPECT_EQ(script.messageBoxes()[0].caption, "Orvantis");
}

}
