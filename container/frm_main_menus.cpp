// The main window's menu bar, its keyed menus and its toolbar: every command
// acts on the window whose menu or toolbar was used.
#include "container/frm_main.h"

#include "common/c_open_file.h"
#include "common/dialogs.h"
#include "common/paths.h"
#include "container/frm_about.h"
#include "container/notes_pane.h"
#include "container/registry_settings.h"
#include "container/video_notes.h"
#include "platform/controls/keyed_menu.h"
#include "platform/controls/keyed_toolbar.h"
#include "platform/editor/vek32.h"
#include "platform/runtime/app.h"
#include "platform/runtime/events.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>

namespace ks::container {
namespace {

using controls::MenuEntry;

const QKeySequence kNone;

// The menu tree every main window starts with; hidden items stay hidden.
std::vector<MenuEntry> windowMenu()
{
    std::vector<MenuEntry> m = {
        {"mnuFile", "", "&File"},
        {"mnuFileNew", "mnuFile", "&New", QKeySequence("Ctrl+N"), false},
        {"mnuFileOpen", "mnuFile", "&Open...", QKeySequence("Ctrl+O")},
        {"mnuFileSave", "mnuFile", "&Save", QKeySequence("Ctrl+S")},
        {"mnuFileSaveAs", "mnuFile", "Save As..."},
        {"mnuFileSaveAsTemplate", "mnuFile", "Save As Template", kNone, false},
        {"mnuFileSep1", "mnuFile", "-", kNone, false},
        {"mnuFileImport", "mnuFile", "&Import...", kNone, false},
        {"mnuFileExport", "mnuFile", "&Export...", kNone, false},
        {"mnuFileExportPicture", "mnuFile", "Export as picture...", kNone, false},
        {"mnuFileSep2", "mnuFile", "-"},
        {"mnuFilePageSetup", "mnuFile", "Page Setup...", kNone, false},
        {"mnuFilePrint", "mnuFile", "&Print...", QKeySequence("Ctrl+P")},
        {"mnuFilePrintPreview", "mnuFile", "Print Preview...", kNone, false},
        {"mnuFileSepMRU", "mnuFile", "-", kNone, false},
    };
    for (int i = 0; i < 4; ++i)
        m.push_back({QString("mnuFileMRU(%1)").arg(i), "mnuFile", "mnuFileMRU", kNone, false});
    const std::vector<MenuEntry> rest = {
        {"mnuFileSep3", "mnuFile", "-"},
        {"mnuFileExit", "mnuFile", "E&xit"},
        {"mnuEdit", "", "&Edit", kNone, false},
        {"mnuEditUndo", "mnuEdit", "&Undo", QKeySequence("Ctrl+Z")},
        {"mnuEditRedo", "mnuEdit", "&Redo"},
        {"mnuEditSep1", "mnuEdit", "-"},
        {"mnuEditCut", "mnuEdit", "Cu&t", QKeySequence("Ctrl+X")},
        {"mnuEditCopy", "mnuEdit", "&Copy", QKeySequence("Ctrl+C")},
        {"mnuEditPaste", "mnuEdit", "&Paste", QKeySequence("Ctrl+V")},
        {"mnuEditSep2", "mnuEdit", "-"},
        {"mnuEditCopyClipboard", "mnuEdit", "Copy to clipboard"},
        {"mnuEditSep3", "mnuEdit", "-"},
        {"mnuEditSlices", "mnuEdit", "@SLICE"},
        {"mnuEditSlicesInsert", "mnuEditSlices", "&Insert"},
        {"mnuEditSlicesDelete", "mnuEditSlices", "&Delete"},
        {"mnuEditSlicesRename", "mnuEditSlices", "&Rename"},
        {"mnuEditSlicesSep1", "mnuEditSlices", "-"},
        {"mnuEditSlicesSlices", "mnuEditSlices", "&Edit..."},
        {"mnuEditSep4", "mnuEdit", "-"},
        {"mnuEditSelectAll", "mnuEdit", "&Select All", QKeySequence("Ctrl+A")},
        {"mnuEditUnSelectAll", "mnuEdit", "&Unselect All"},
        {"mnuEditSep5", "mnuEdit", "-"},
        {"mnuEditProperties", "mnuEdit", "Properties..."},
        {"mnuView", "", "&View"},
        {"mnuViewG", "mnuView", "&Grid", kNone, false},
        {"mnuViewGrid", "mnuViewG", "&Grid Lines", kNone, true, true},
        {"mnuViewSnapGrid", "mnuViewG", "&Snap to Grid", kNone, true, true},
        {"mnuViewZoom", "mnuView", "&Zoom", kNone, false},
        {"mnuViewZoom100", "mnuViewZoom", "100% (Normal)"},
        {"mnuViewZoom150", "mnuViewZoom", "150%"},
        {"mnuViewZoom75", "mnuViewZoom", "75%"},
        {"mnuViewZoomFit", "mnuViewZoom", "Fit in window"},
        {"mnuViewTimeline", "mnuView", "&Timeline", kNone, false, true},
        {"mnuViewBackgroun", "mnuView", "&Background", kNone, false},
        {"mnuViewBackgroundColor", "mnuViewBackgroun", "&Color..."},
        {"mnuViewBackgroundPicture", "mnuViewBackgroun", "&Picture..."},
        {"mnuViewBackgroundSep1", "mnuViewBackgroun", "-", kNone, false},
        {"mnuViewBackgroundClear", "mnuViewBackgroun", "C&lear", kNone, false},
        {"mnuViewSep1", "mnuView", "-", kNone, false},
        {"mnuViewDefaultNode", "mnuView", "&Default @NODE...", kNone, false},
        {"mnuViewTimelineSetup", "mnuView", "T&imeline Setup...", kNone, false},
        {"mnuViewSep2", "mnuView", "-", kNone, false},
        {"mnuViewLevels", "mnuView", "Level Setup...", kNone, false},
        {"mnuViewGroups", "mnuView", "Group Setup...", kNone, false},
        {"mnuViewSep3", "mnuView", "-", kNone, false},
        {"mnuViewStartup", "mnuView", "Show Startup @MAP", kNone, false, true},
        {"mnuViewRBPrompt", "mnuView", "Show Template Prompt", kNone, false, true},
        {"MnuToolbar", "mnuView", "Toolbar"},
        {"mnuLayout", "", "&Layout", kNone, false},
        {"mnuLayoutHExecute", "mnuLayout", "&Hierarchical"},
        {"mnuLayoutTreeExecute", "mnuLayout", "&Tree"},
        {"mnuHelp", "", "&Help"},
        {"mnuHelpHelp", "mnuHelp", "&Help", QKeySequence(Qt::Key_F1)},
        {"mnuHelpWeb", "mnuHelp", "Visit Website"},
        {"mnuHelpAbout", "mnuHelp", "&About..."},
    };
    m.insert(m.end(), rest.begin(), rest.end());
    return m;
}

const QStringList kCheckItems = {"mnuViewStartup", "mnuViewGrid", "mnuViewSnapGrid", "mnuViewTimeline",
                                 "mnuViewRBPrompt"};

QIcon themed(const char* name, QStyle::StandardPixmap otherwise)
{
    return QIcon::fromTheme(name, QApplication::style()->standardIcon(otherwise));
}

void openInProgramFolder(const QString& path, QWidget& window)
{
    qintptr handle = qintptr(window.winId());
    cOpenFile().LaunchFile(path, handle);
}

}

void frmMain::buildMenus()
{
    PopMenu1 = new controls::KeyedMenu(menuBar);
    PopMenu1->Build(windowMenu());
    QObject::connect(PopMenu1, &controls::KeyedMenu::Click, this, &frmMain::menuClicked);
    QObject::connect(PopMenu1, &controls::KeyedMenu::InitPopupMenu, this, [this](int) { PopMenu1_InitPopupMenu(); });
    SmartMenuXP1a = new controls::KeyedMenu(new QMenu(this));
    QObject::connect(SmartMenuXP1a, &controls::KeyedMenu::Click, this, &frmMain::SmartMenuXP1_Click);
}

void frmMain::buildToolbar()
{
    using controls::ButtonKind;
    Toolbar2->Build({
        {"Open", "Open", "Open a file", themed("document-open", QStyle::SP_DialogOpenButton)},
        {"Save", "Save", "Save the notes", themed("document-save", QStyle::SP_DialogSaveButton)},
        {"Print1", "Print", "Print the notes", themed("document-print", QStyle::SP_FileIcon)},
        {"Sep", "", "", {}, ButtonKind::Separator},
        {"Toolbar", "Notes Toolbar", "Show or hide the notes' formatting toolbar",
         themed("format-text-bold", QStyle::SP_FileDialogListView)},
        {"Sep2", "", "", {}, ButtonKind::Separator},
        {"Close", "Close", "Close this window", themed("window-close", QStyle::SP_DialogCloseButton)},
    });
    QObject::connect(Toolbar2, &controls::KeyedToolBar::ButtonClick, this, &frmMain::Toolbar2_ButtonClick);
}

void frmMain::BuildMenus()
{
    SmartMenuXP1a->Build({{"mnuFile", "", "&File"},
                          {"mnuFileExit", "mnuFile", "E&xit"},
                          {"mnuHelp", "", "&Help"},
                          {"mnuHelpHelp", "mnuHelp", "&Help"},
                          {"mnuHelpWeb", "mnuHelp", "Visit Website"},
                          {"mnuHelpAbout", "mnuHelp", "&About..."}});
}

// A menu item with a command of its own runs it; any other goes to the popup dispatch.
void frmMain::menuClicked(int number)
{
    using Command = void (frmMain::*)();
    static const std::map<QString, Command> commands = {
        {"mnuFileOpen", &frmMain::mnuFileOpen_Click},   {"mnuFileSave", &frmMain::mnuFileSave_Click},
        {"mnuFileSaveAs", &frmMain::mnuFileSaveAs_Click}, {"mnuFilePrint", &frmMain::mnuFilePrint_Click},
        {"mnuFileExit", &frmMain::mnuFileExit_Click},   {"MnuToolbar", &frmMain::MnuToolbar_Click},
        {"mnuHelpHelp", &frmMain::mnuHelpHelp_Click},   {"mnuHelpWeb", &frmMain::mnuHelpWeb_Click},
        {"mnuHelpAbout", &frmMain::mnuHelpAbout_Click},
    };
    static const QStringList editCommands = {"mnuEditUndo", "mnuEditCut", "mnuEditCopy", "mnuEditPaste",
                                             "mnuEditSelectAll"};
    const QString key = PopMenu1->Key(number);
    if (auto found = commands.find(key); found != commands.end())
        (this->*found->second)();
    else if (editCommands.contains(key))
        mnuEditCommand_Click(key);
    else
        PopMenu1_Click(number);
}

void frmMain::mnuFileOpen_Click()
{
    FileOpen2();
    DoEvents();
    HourglassOff();
}

void frmMain::mnuFileSave_Click()
{
    ui::runStep("Error in frmMain: Sub mnuFileSave_Click", [&] { saveOwnNotes(); });
}

void frmMain::mnuFileSaveAs_Click()
{
    ui::runStep("Error in frmMain: Sub mnuFileSaveAs_Click", [&] { saveNotesAs(); });
    // A file saved under the templates folder shows up in the list bar.
    LoadRadBar();
}

void frmMain::mnuFilePrint_Click()
{
    ui::runStep("Error in frmMain: Sub mnuFilePrint_Click", [&] { VekPrint(Toc1->hWnd()); });
}

void frmMain::mnuFileExit_Click()
{
    ui::runStep("Error in frmMain: Sub mnuFileExit_Click", [&] { Unload(); });
}

void frmMain::MnuToolbar_Click()
{
    ui::runStep("Error in frmMain: Sub PopMenu1_Click", [&] {
        int show = Toc1->ToolbarFlag() ? 0 : 1;
        Toc1->setToolbarFlag(show == 1);
        Toc1->ShowToolbar(show);
    });
}

void frmMain::mnuHelpHelp_Click()
{
    ui::runStep("Error in frmMain: Sub mnuHelpHelp_Click",
                [&] { openInProgramFolder(ProgramFile("help.pdf"), *this); });
}

void frmMain::mnuHelpWeb_Click()
{
    ui::runStep("Error in frmMain: Sub mnuHelpWeb_Click",
                [&] { openInProgramFolder(ProgramFile("Templates/Website Support.url"), *this); });
}

void frmMain::mnuHelpAbout_Click()
{
    ui::runStep("Error in frmMain: Sub mnuHelpAbout_Click", [&] { form<frmAbout>().Show(); });
}

void frmMain::mnuEditCommand_Click(const QString& key)
{
    ui::runStep("Error in frmMain: Sub " + key + "_Click", [&] {
        popTag_ = "1";
        PopMenu1_Click(PopMenu1->Find(key));
        popTag_.clear();
    });
}

void frmMain::PopMenu1_InitPopupMenu()
{
    ui::runStep("Error in frmMain: Sub PopMenu1_InitPopupMenu", [&] { popTag_ = "1"; });
}

void frmMain::PopMenu1_Click(int number)
{
    ui::runStep("Error in frmMain: Sub PopMenu1_Click", [&] {
        if (popTag_ != "1")
            return;
        const QString key = PopMenu1->Key(number);
        if (key.startsWith("mnuFileMRU(")) {
            SmartMenuXP1_Click(SmartMenuXP1a->Find("mnuFileMRU|" + PopMenu1->Caption(number)));
            return;
        }
        if (!kCheckItems.contains(key)) {
            SmartMenuXP1_Click(SmartMenuXP1a->Find(key));
            return;
        }
        const int id = SmartMenuXP1a->Find(key);
        const bool checked = !PopMenu1->Checked(key);
        PopMenu1->setChecked(key, checked);
        if (key == "mnuViewRBPrompt") {
            clsRB prompt;
            if (!checked) {
                prompt.DisplayPrompt(true);
                PopMenu1->setChecked(key, RHSPrompt());
            } else {
                prompt.ResetPrompt();
            }
            return;
        }
        SmartMenuXP1a->setChecked(SmartMenuXP1a->Key(id), checked);
        SmartMenuXP1_Click(id);
    });
}

void frmMain::SmartMenuXP1_Click(int id)
{
    try {
        HourglassOn();
        // No key has a command of its own here.
        const QString key = SmartMenuXP1a->Key(id);
        (void)key;
        HourglassOff();
    } catch (const RuntimeError& e) {
        HourglassOff();
        ui::showFailure(e, "Error in frmMain: Sub SmartMenuXP1_Click");
    }
}

void frmMain::Toolbar2_ButtonClick(const QString& key)
{
    ui::runStep("Error in frmMain: Sub Toolbar", [&] {
        if (key == "Close")
            mnuFileExit_Click();
        else if (key == "Open")
            mnuFileOpen_Click();
        else if (key == "Save")
            mnuFileSave_Click();
        else if (key == "Toolbar")
            MnuToolbar_Click();
        else if (key == "Print1")
            mnuFilePrint_Click();
    });
}

bool frmMain::RHSPrompt() { return clsRB().GetDisplayPrompt(); }

void frmMain::markStartupOffer(bool on)
{
    SmartMenuXP1a->setChecked("mnuViewStartup", on);
    PopMenu1->setChecked("mnuViewStartup", on);
}

void frmMain::markTemplatePrompt(bool on)
{
    SmartMenuXP1a->setChecked("mnuViewRBPrompt", on);
    PopMenu1->setChecked("mnuViewRBPrompt", on);
}

}
