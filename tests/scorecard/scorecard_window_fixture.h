#pragma once
// The scorecard window started by Main on a temporary program folder.
#include "coaching/coach_state.h"
#include "coaching/main_video.h"
#include "common/settings.h"
#include "main/main_mod.h"
#include "platform/runtime/app.h"
#include "scorecard/window/spread_form.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace ks::test {

// A program folder with the sample scorecard and a settled video folder.
struct SpreadFormTest : ::testing::Test {
    TempDir dir;
    ScriptedUi ui;

    SpreadFormTest()
    {
        App::setPath(QString::fromStdString(dir.str()));
        dir.copyProgramFile("spreadsheets/Sample.vqa");
        dir.copyProgramFile("Templates/intro.wmv");
        dir.write("Templates/videos/Sales.wmv", "");
        settings(dir.str() + "/spreadsheets/Sample.vqa", "0");
        FirstPassDone = 1;   // the navigation window has its own tests
        VideoOnlyStart = 0;
        ImportMenuOn = 0;
        VideoSetupPending = 0;
        setCommandLine("");
    }
    ~SpreadFormTest() override
    {
        UnloadAllForms();
        scorecardLink() = ScorecardLink();
    }
    void settings(const std::string& lastFile, const std::string& coachMode)
    {
        dir.write("Vidsettings.nml", "<SETTINGS><TITLE>T</TITLE><PATH></PATH><LASTFILE>" + lastFile
                                         + "</LASTFILE><GRAPHDIR></GRAPHDIR><COMMENTVIDEO></COMMENTVIDEO>"
                                           "<SILENTVIDEO></SILENTVIDEO><COACHMODE>"
                                         + coachMode + "</COACHMODE></SETTINGS>");
    }
    std::string stored(const std::string& key) const
    {
        const std::string file = dir.read("Vidsettings.nml");
        const auto from = file.find("<" + key + ">"), to = file.find("</" + key + ">");
        return file.substr(from + key.size() + 2, to - from - key.size() - 2);
    }
    static bool videoShown() { return formSlot<MainVideo>().isLoaded() && !form<MainVideo>().isHidden(); }
};

}
