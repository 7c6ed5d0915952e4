// The main window as a document window: its initialisation, the open of a
// document path in this or a new window, and its close.
#include "container/frm_main.h"

#include "common/c_registry.h"
#include "container/container_settings.h"
#include "container/document_state.h"
#include "container/frm_pics.h"
#include "container/frm_splash.h"
#include "container/main_video.h"
#include "container/module_procedures.h"
#include "container/resource_level.h"
#include "container/tab_strip.h"
#include "container/video_notes.h"
#include "platform/runtime/app.h"
#include "platform/runtime/events.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"

#include <QGuiApplication>
#include <QScreen>

namespace ks::container {
namespace {

constexpr qint32 kCurrentUser = qint32(0x80000001);
constexpr qint32 kNumber = 4;
constexpr int kMaximised = 2;

// A placement value, or nothing when it is not stored.
std::optional<qint32> placementValue(const QString& name)
{
    cRegistry reg;
    reg.setClassKey(kCurrentUser);
    reg.setSectionKey("SOFTWARE\\" + settings().title);
    reg.setValueKey(name);
    reg.setValueType(kNumber);
    const QVariant value = reg.Value();
    if (value.isNull() || !value.canConvert<qint32>())
        return std::nullopt;
    return value.toInt();
}

bool onSomeScreen(const QRect& place)
{
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(place))
            return true;
    return false;
}

}

void frmMain::Initialize()
{
    passingOn("Initialize", [&] {
        frmPics& pics = form<frmPics>();
        pics.AddUsage();
        tabStrip().setTabCount(1);
        syncDiagrams();
        setWindowIcon(pics.windowIcon());
        clsSettings = std::make_unique<clsfrmMain>();
        restorePlacement();
    });
}

// The placement the user last had; one that is incomplete or lies off every
// screen is passed over and the window opens maximised.
void frmMain::restorePlacement()
{
    const int state = placementValue("WindowState").value_or(kMaximised);
    if (state == 1) {
        setWindowState(Qt::WindowMinimized);
        return;
    }
    if (state == 0) {
        const auto left = placementValue("Left"), top = placementValue("Top");
        const auto height = placementValue("Height"), width = placementValue("Width");
        if (left && top && height && width && *width > 0 && *height > 0) {
            const QRect place(twipsToPixelsX(*left), twipsToPixelsY(*top), twipsToPixelsX(*width),
                              twipsToPixelsY(*height));
            if (onSomeScreen(place)) {
                setWindowState(Qt::WindowNoState);
                setGeometry(place);
                return;
            }
        }
    }
    // Filling the screen first keeps the window large where no window manager maximises it.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    setWindowState(Qt::WindowMaximized);
}

frmMain* frmMain::DoOpen(const QString& sFilename, bool bNewWindow)
{
    return passingOn("DoOpen", [&]() -> frmMain* {
        const QString path = sFilename.isEmpty() ? GetMapFile(false) : sFilename;
        if (path.isEmpty())
            return nullptr;
        if (GetResourceLevel() > 80) {
            ui::MsgBox(settings().memoryText, ui::OKOnly);
            return nullptr;
        }
        for (frmMain* window : loadedWindows()) {
            if (!window->clsSettings || window->clsSettings->Database().toUpper() != path.toUpper())
                continue;
            window->raise();
            window->activateWindow();
            // The container holds no document content of its own, so there is nothing to
            // revert: the question is asked and either answer leaves the window as it is.
            if (window->clsSettings->Dirty())
                ui::MsgBox("Revert to saved?", ui::YesNo | ui::Question);
            return window;
        }
        frmMain* target = this;
        if (bNewWindow) {
            target = &newForm<frmMain>();
            target->Load();
        }
        // Only the path is the window's to lose, so Yes and No both go on; Cancel keeps it.
        if (target->clsSettings->Dirty()
            && ui::MsgBox("Save Changes", ui::YesNoCancel | ui::Question) == ui::Cancel) {
            // A window made for this open is not left behind hidden.
            if (target != this)
                target->Unload();
            return nullptr;
        }
        target->clsSettings->setDatabase(path);
        target->Show();
        DoEvents();
        return target;
    });
}

void frmMain::Toc1_Change()
{
    // Set once: Qt warns at every set on a caption that has no place for the mark.
    if (!isWindowModified())
        setWindowModified(true);
}

void frmMain::Form_QueryUnload(int& cancel, int)
{
    try {
        if (isWindowModified()) {
            const ui::Answer answer = ui::MsgBox("Save Changes?", ui::YesNoCancel | ui::Question);
            if (answer == ui::Cancel || (answer == ui::Yes && !saveOwnNotes())) {
                cancel = 1;
                return;
            }
        }
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "Error in frmMain: Sub Form_QueryUnload");
    }
    // Every close that goes through gives back its count, so the program can end.
    ui::runStep("Error in frmMain: Sub Form_QueryUnload", [] { form<frmPics>().RemoveUsage(); });
}

void frmMain::Form_Unload(int&)
{
    if (videoNotes().holder == this)
        videoNotes().holder = nullptr;
    ui::runStep("Error in frmMain: Sub Form_Unload", [] {
        formSlot<frmSplash>().Unload();
        formSlot<MainVideo>().Unload();
    });
}

}
