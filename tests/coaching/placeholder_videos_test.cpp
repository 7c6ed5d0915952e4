#include "coaching/coach_state.h"
#include "coaching/comment_choice.h"
#include "coaching/help_videos.h"
#include "coaching/main_video.h"
#include "common/paths.h"
#include "common/settings.h"
#include "platform/media/media_player.h"
#include "platform/runtime/app.h"
#include "tests/support/clips.h"
#include "tests/support/scripted_ui.h"

#include <QApplication>
#include <QImage>
#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace ks;

namespace {

bool haveClips() { return FileExists(ProgramFile("Templates/intro.wmv")); }

}

TEST(PlaceholderVideos, EveryVideoTheCoachChoosesIsInTheProgramFolder)
{
    App::setPath(qEnvironmentVariable("KS_PROGRAM_DIR"));
    if (!haveClips())
        GTEST_SKIP() << "built without ffmpeg";
    QStringList names;
    for (double a : {1, 2, 3, 4, 5, 0})
        for (double b : {1, 2, 3, 4, 5, 0})
            for (double kind : {1, 2})
                names << commentVideoFile(a, b, kind, 1, 1);
    names << commentVideoFile(0, 0, 1, 0, 5);
    for (int s = 1; s <= 6; ++s)
        names << sectionVideoFile(s);
    for (double ratio : {0.0, 1.0, 1.5, 0.5})
        for (double kind : {1, 2})
            names << kpiCommentVideoFile(ratio, kind);
    for (double months : {1, 2, 3, 4, 5})
        names << welcomeVideoFile(1, months, 1);
    names << welcomeVideoFile(0, 0, 1);
    names.removeAll(QString());
    names.removeDuplicates();
    for (const QString folder : {"Commentvideo", "SilentVideo"})
        for (const QString& name : names)
            EXPECT_TRUE(FileExists(ProgramFile(folder + "/" + (name.startsWith('/') ? name.mid(1) : name))))
                << (folder + "/" + name).toStdString();
    for (const char* help : {"datmodule_help", "SETUP_HELP", "ReportModule_Help", "BulkEntryModule_help",
                             "Formating data entry cells"})
        EXPECT_TRUE(FileExists(ProgramFile(QString("Help/") + help + ".wmv"))) << help;
    EXPECT_TRUE(FileExists(ProgramFile(kHelpManual)));
    EXPECT_TRUE(FileExists(ProgramFile(kQuickstartManual)));
    EXPECT_GE(ListFiles(ProgramFile("Templates/videos") + "/*.wmv", ListFilesOnly).size(), 1);
}

TEST(PlaceholderVideos, AClipPlayedToItsEndUpdatesTheCoachWindowOnce)
{
    App::setPath(qEnvironmentVariable("KS_PROGRAM_DIR"));
    if (!haveClips())
        GTEST_SKIP() << "built without ffmpeg";
    test::ScriptedUi ui;
    int updates = 0;
    scorecardLink().coachMode = [] { return int(ActiveCoach); };
    scorecardLink().reportVisible = [&] { ++updates; return false; };   // asked once per update
    PlayHelpVideo("SETUP_HELP.wmv", "Error MnuVideoKPISetup_err");
    MainVideo& video = form<MainVideo>();
    QElapsedTimer clock;
    clock.start();
    while (video.MediaPlayer1->playState() != PlayStateMediaEnded && clock.elapsed() < 15000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(video.MediaPlayer1->playState(), PlayStateMediaEnded);
    QApplication::processEvents();
    EXPECT_EQ(updates, 1);
    EXPECT_TRUE(video.isVisible());
    video.Unload();
    scorecardLink() = ScorecardLink();
}

TEST(PlaceholderVideos, TheIntroductionIsSeenInTheCoachWindow)
{
    App::setPath(qEnvironmentVariable("KS_PROGRAM_DIR"));
    if (!haveClips())
        GTEST_SKIP() << "built without ffmpeg";
    test::ScriptedUi ui;
    VideoSetupPending = 0;
    VideoBaseFolder = ProgramFile("Templates");
    MainVideo& video = form<MainVideo>();   // its load plays the introduction
    ShowCoachWindow();                      // with its prompts, as the scorecard's set-up shows it
    ASSERT_TRUE(video.MediaPlayer1->URL().endsWith("intro.wmv"));
    // Left of the middle, away from the clip's name: the clip's plain background.
    QWidget* area = video.MediaPlayer1->pictureArea();
    const QPoint probe = area->mapTo(&video, QPoint(area->width() / 5, area->height() / 2));
    const QColor window = video.palette().color(QPalette::Window);
    auto picture = [&] { return video.grab().toImage().pixelColor(probe); };
    EXPECT_TRUE(test::waitFor([&] { return picture() != Qt::black && picture() != window; }, 8000))
        << "the picture stays " << picture().name().toStdString();
    if (const char* shot = std::getenv("KS_COACH_SHOT"))
        EXPECT_TRUE(video.grab().save(QString::fromLocal8Bit(shot)));
    video.Unload();
    VideoBaseFolder.clear();
}
