#include "container/main_mod.h"

#include "common/paths.h"
#include "container/container_settings.h"
#include "container/exception_filter.h"
#include "container/frm_main.h"
#include "container/frm_prompt.h"
#include "container/frm_splash.h"
#include "container/registry_settings.h"
#include "platform/runtime/app.h"
#include "platform/runtime/events.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>

namespace ks::container {
namespace {

QString g_commandLine;

// Lets events run until ms have passed since the clock started; a monotonic
// clock, so midnight or a changed system time cannot stretch the wait.
void waitUntil(const QElapsedTimer& clock, qint64 ms)
{
    while (clock.elapsed() < ms) {
        QEventLoop pause;
        QTimer::singleShot(int(ms - clock.elapsed()), &pause, &QEventLoop::quit);
        pause.exec();
    }
}

QString documentPath()
{
    QString path = g_commandLine;
    if (path.endsWith('"'))
        path.chop(1);
    if (path.startsWith('"'))
        path.remove(0, 1);
    return path;
}

}

void setCommandLine(const QString& commandLine) { g_commandLine = commandLine; }
QString commandLine() { return g_commandLine; }

void Main()
{
    try {
        InstallExceptionFilter();
        LoadSettings();
        form<frmSplash>().Show();
        DoEvents();
        QElapsedTimer shown;
        shown.start();
        form<frmMain>();
        waitUntil(shown, kSplashMs);
        form<frmMain>().Show();
        formSlot<frmSplash>().Unload();
        ProcessCommand();
        ProcessStartup();
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "Error in MM_Source: Sub Main");
    }
}

void ProcessCommand()
{
    passingOn("ProcessCommand", [] {
        if (g_commandLine.isEmpty())
            return;
        const QString path = documentPath();
        if (!FileExists(path))
            return;
        form<frmMain>().DoOpen(path, false);
    });
}

void ProcessStartup()
{
    passingOn("ProcessStartup", [] {
        if (g_commandLine.isEmpty() && GetStartupOffer()) {
            SetStartupOffer(true);
            const QString folder = AddBackslash(ProgramFile("Startup"));
            const QStringList found = ListFiles(folder + "*." + settings().ext, ListFilesOnly);
            if (!found.isEmpty()) {
                frmPrompt& prompt = form<frmPrompt>();
                prompt.lbl->setText(prompt.lbl->text().replace("%FILE%", found.first()));
                prompt.Show(ShowMode::Modal);
                if (frmPrompt::ClickYes())
                    form<frmMain>().DoOpen(folder + found.first(), false);
            }
        }
        for (frmMain* window : frmMain::loadedWindows())
            window->markTemplatePrompt(window->RHSPrompt());
    });
}

}
