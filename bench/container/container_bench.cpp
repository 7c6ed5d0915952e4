// Prints the time from the container's start to its main window shown, beside the
// splash's one second, and the time a 500-file group takes to fill its list, beside a
// stock Qt list widget filled with the same files and icons.
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
#include <fstream>

namespace {

using Clock = std::chrono::steady_clock;
using namespace ks;

double msSince(Clock::time_point start) { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); }

constexpr int kGroups = 20, kBigGroup = 500, kAllItems = 2000;
const char* const kEndings[] = {"wmv", "pdf", "txt", "docx", "xlsx", "pptx", "rtf", "url"};

void touch(const QString& path) { std::ofstream(path.toStdString()) << "x"; }

// Templates/<group>/<file>: one group of 500, the others share the rest.
void layOut(const QString& root)
{
    QDir().mkpath(root + "/docs");
    QFile::copy(KS_SOURCE_DIR "/dist/docs/TrainingDocumentation.rtf", root + "/docs/TrainingDocumentation.rtf");
    std::ofstream(QString(root + "/Settings.nml").toStdString())
        << "<SETTINGS><TITLE>Bench</TITLE><EXT>orm</EXT><TEMPLATE>TEM</TEMPLATE></SETTINGS>";
    int made = 0;
    for (int g = 0; g < kGroups; ++g) {
        const QString group = root + QString("/Templates/Group %1").arg(g, 2, 10, QChar('0'));
        QDir().mkpath(group);
        const int count = g == 0 ? kBigGroup : (kAllItems - kBigGroup) / (kGroups - 1) + (g <= (kAllItems - kBigGroup) % (kGroups - 1));
        for (int i = 0; i < count; ++i, ++made)
            touch(group + QString("/Item %1.%2").arg(i, 3, 10, QChar('0')).arg(kEndings[i % 8]));
    }
    std::printf("program folder: %d groups, %d files\n", kGroups, made);
}

void row(const char* what, double ours, const char* peerName, double peer, const char* goal)
{
    std::printf("%-34s ours %8.1f ms   %-26s %8.1f ms   ratio %5.2f   %s\n", what, ours, peerName, peer, ours / peer, goal);
}

// The peer: a stock list widget, filled with the same names and the desktop's icons for them.
double stockListFill(const QString& folder)
{
    const Clock::time_point start = Clock::now();
    QListWidget list;
    QFileIconProvider icons;
    for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files, QDir::Name))
        list.addItem(new QListWidgetItem(icons.icon(file), file.completeBaseName()));
    QCoreApplication::processEvents();
    return msSince(start);
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

    // The big group, opened for the first time: what its timer does.
    controls::ListBar& bar = *window.RB;
    controls::ListBarGroup* big = bar.FindGroup(root + "/Templates/Group 00");
    bar.setCurrentGroup(*big);
    const Clock::time_point fill = Clock::now();
    window.tmrBar_Timer();
    QCoreApplication::processEvents();
    const double filled = msSince(fill);
    std::printf("(%d items in the group)\n", big->ListItems().Count());
    row("a 500-file group fills its list", filled, "stock list, same files", stockListFill(root + "/Templates/Group 00"),
        "goal: within 200 ms");
    return 0;
}
