// Prints the time from the container's start to its main window shown, beside the
// splash's one second, and the time groups of 500, 5,000 and 50,000 files take to fill
// their lists, each beside a stock Qt list widget filled with the same files and icons
// (the fills in this thread's processor time).
#include "container/frm_main.h"
#include "container/main_mod.h"
#include "platform/controls/list_bar.h"
#include "platform/registry/store_config.h"
#include "platform/runtime/app.h"
#include "platform/shell/file_icons.h"

#include <QApplication>
#include <QDir>
#include <QFileIconProvider>
#include <QListWidget>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <iterator>
#include <fstream>

namespace {

using Clock = std::chrono::steady_clock;
using namespace ks;

double msSince(Clock::time_point start) { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); }

// This thread's processor time in ms: the fills are compared by it, which other programs
// on a shared machine disturb far less than the wall clock.
double threadMs()
{
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

constexpr int kGroups = 20, kSmallItems = 1500;
// The groups whose fill is measured, the first groups of the folder.
constexpr int kMeasured[] = {500, 5000, 50000};
constexpr int kMeasuredCount = int(std::size(kMeasured));
const char* const kEndings[] = {"wmv", "pdf", "txt", "docx", "xlsx", "pptx", "rtf", "url"};

void touch(const QString& path) { std::ofstream(path.toStdString()) << "x"; }

QString groupFolder(const QString& root, int g) { return root + QString("/Templates/Group %1").arg(g, 2, 10, QChar('0')); }

// Templates/<group>/<file>: the measured groups first, the others share 1,500 files.
void layOut(const QString& root)
{
    QDir().mkpath(root + "/docs");
    QFile::copy(KS_SOURCE_DIR "/dist/docs/TrainingDocumentation.rtf", root + "/docs/TrainingDocumentation.rtf");
    std::ofstream(QString(root + "/Settings.nml").toStdString())
        << "<SETTINGS><TITLE>Bench</TITLE><EXT>orm</EXT><TEMPLATE>TEM</TEMPLATE></SETTINGS>";
    int made = 0;
    for (int g = 0; g < kGroups; ++g) {
        const QString group = groupFolder(root, g);
        QDir().mkpath(group);
        const int others = kGroups - kMeasuredCount;
        const int count = g < kMeasuredCount ? kMeasured[g] : kSmallItems / others + (g - kMeasuredCount < kSmallItems % others);
        for (int i = 0; i < count; ++i, ++made)
            touch(group + QString("/Item %1.%2").arg(i, 5, 10, QChar('0')).arg(kEndings[i % 8]));
    }
    std::printf("program folder: %d groups, %d files\n", kGroups, made);
}

void row(const char* what, double ours, const char* peerName, double peer, const char* goal)
{
    std::printf("%-36s ours %8.1f ms   %-26s %8.1f ms   ratio %5.2f   %s\n", what, ours, peerName, peer, ours / peer, goal);
}

// The peer: a stock list widget, filled with the same names and the desktop's icons for them.
double stockListFill(const QString& folder)
{
    const double start = threadMs();
    QListWidget list;
    QFileIconProvider icons;
    for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files, QDir::Name))
        list.addItem(new QListWidgetItem(icons.icon(file), file.completeBaseName()));
    QCoreApplication::processEvents();
    return threadMs() - start;
}

}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QTemporaryDir folder;
    const QString root = folder.path() + "/program";
    layOut(root);
    App::setPath(root);
    registry::configureStore(folder.path().toStdString() + "/user", root.toStdString());

    const Clock::time_point start = Clock::now();
    container::Main();
    const double shown = msSince(start);
    container::frmMain& window = form<container::frmMain>();
    row("start to main window shown", shown, "the splash's second", container::kSplashMs, "goal: within 100 ms of it");

    // Each measured group, opened for the first time: what its timer does.
    controls::ListBar& bar = *window.RB;
    for (int g = 0; g < kMeasuredCount; ++g) {
        controls::ListBarGroup* group = bar.FindGroup(groupFolder(root, g));
        bar.setCurrentGroup(*group);
        const double fill = threadMs();
        window.tmrBar_Timer();
        QCoreApplication::processEvents();
        const double filled = threadMs() - fill;
        const QString what = QString("a %L1-file group fills its list").arg(group->ListItems().Count());
        row(what.toUtf8().constData(), filled, "stock list, same files", stockListFill(groupFolder(root, g)),
            g == 0 ? "goal: within 200 ms" : g == kMeasuredCount - 1 ? "goal: ratio at most 2" : "");
    }
    return 0;
}
