#pragma once
// The container's main window: the template list bar on the left, the notes
// pane of the current video on the right above the tab strip, the toolbar
// and the status bar. One window per document path; the global instance is
// made by start-up, the others by DoOpen.
#include "platform/runtime/form.h"
#include "platform/runtime/timer.h"

#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

class QFrame;
class QMenuBar;
class QProgressBar;
class QRect;
class QTabBar;

namespace ks {
class clsfrmMain;
class clsTabStrip;
namespace controls {
class KeyedMenu;
class KeyedToolBar;
class ListBar;
class ListBarGroup;
class ListBarItem;
class Splitter;
class StatusBar;
}
namespace diagram {
class DiagramControl;
}
}

namespace ks::container {

class NotesPane;

class frmMain : public Form {
public:
    frmMain();
    ~frmMain() override;

    // ---- Controls
    QMenuBar* menuBar = nullptr;
    controls::KeyedMenu* PopMenu1 = nullptr;        // the window's menu, its items by name
    controls::KeyedMenu* SmartMenuXP1a = nullptr;   // the second keyed menu, empty unless BuildMenus runs
    QFrame* Frame1 = nullptr;
    controls::KeyedToolBar* Toolbar2 = nullptr;
    controls::Splitter* SSSplitter1 = nullptr;
    controls::ListBar* RB = nullptr;
    QWidget* picRHS = nullptr;
    QTabBar* SSTab_ctl = nullptr;
    NotesPane* Toc1 = nullptr;
    controls::StatusBar* staMain = nullptr;
    QProgressBar* prg1 = nullptr;
    Timer tmrBar;
    Timer tmrResize;

    // ---- The document this window shows, and its tab strip.
    std::unique_ptr<clsfrmMain> clsSettings;
    clsTabStrip& tabStrip() { return *tabStrip_; }

    // Every loaded main window, in load order.
    static std::vector<frmMain*> loadedWindows();

    // ---- Document windows
    void Initialize();
    // Opens a document path in this or a new window; the window that shows it, or nullptr.
    frmMain* DoOpen(const QString& sFilename = QString(), bool bNewWindow = false);
    // The notes-changed flag (bNotesChanged) is the window's windowModified: every change
    // of the pane sets it, nothing clears it, and only the close request reads it.
    void Toc1_Change();

    // ---- List bar
    void LoadRadBar();
    void RB_BarClick(controls::ListBarGroup& group);
    void tmrBar_Timer();
    void LoadBarDetails(controls::ListBarGroup& group, const QString& folder, const QStringList& files);

    // ---- Items, videos and notes
    void RB_ItemClick(controls::ListBarItem& item, controls::ListBarGroup& group);
    qint32 FileOpen2();
    // Loads the notes of the current video into this window's pane.
    void LoadFile();
    // The notes file this window's pane holds; "" while it holds none.
    const QString& notesFile() const { return notesFile_; }

    // ---- Diagram view: one diagram per tab, hidden until its tab is clicked.
    // The diagram of tab index (from 0); a tab that does not exist fails with 340.
    diagram::DiagramControl& AddFlow1(int index);
    int diagramCount();
    bool NodeInGroup(const QString& sNodeGroup, const QString& sGroupText);
    void DoFixColors();
    // Shows the nodes of the groups and levels whose Selected flag is set.
    void ssDBGroups_CloseUp();
    void ClickTab();
    void SSTab_Click();
    void tlbMain_ButtonClick(const QString& key);
    void DoInsertSlice();
    void DoDeleteSlice();
    void DoEditSlices();

    // ---- Layout
    void DoResize();
    void DoStatus(const QString& sText);
    void picRHS_Resize();
    void tmrResize_Timer();

    // ---- Menus and toolbar
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFilePrint_Click();
    void mnuFileExit_Click();
    void MnuToolbar_Click();
    void mnuHelpHelp_Click();
    void mnuHelpWeb_Click();
    void mnuHelpAbout_Click();
    void mnuEditCommand_Click(const QString& key);
    void PopMenu1_Click(int number);
    void PopMenu1_InitPopupMenu();
    void SmartMenuXP1_Click(int id);
    void Toolbar2_ButtonClick(const QString& key);
    void BuildMenus();
    bool RHSPrompt();
    // Ticks or clears the menu items that mirror the start-up offer and the list-bar prompt.
    void markStartupOffer(bool on);
    void markTemplatePrompt(bool on);

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void Form_Unload(int& cancel) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // True when the window was closed (unloaded, perhaps deleted) while events ran.
    static bool closed(const QPointer<frmMain>& window) { return !window || !window->isLoaded(); }
    void buildControls();
    void buildMenus();
    void buildToolbar();
    void placeRightPane();
    void menuClicked(int number);
    void restorePlacement();
    void playVideo(const QString& name, const QString& key, const QString& caption, const QString& failureCaption);
    void launch(const QString& path);
    // Before a click goes on: saves the notes of the pane that holds the last video's and
    // this window's pane to their files (failures reported). When this pane is about to be
    // replaced by other notes and holds changes no file took, asks as the close does
    // (save as, discard, cancel); false when the click is to stop.
    bool saveCurrentNotes(const QString& caption, bool replacing);
    // Saves this pane to its own file (failures reported); true when the notes are in it.
    bool writeNotes(const QString& caption);
    // Saves this pane to its own file, keeping a damaged original beside it first; raises.
    void saveToOwnFile();
    void tellRepaired(const QString& path);
    // Saves this pane to its own notes file, or asks for a name when it has
    // none; false when nothing was saved.
    bool saveOwnNotes();
    bool saveNotesAs();
    void holdNotes(const QString& path, bool damaged = false);
    // Makes one diagram per tab, laid over the notes pane.
    void syncDiagrams();
    void placeDiagrams(const QRect& area);
    diagram::DiagramControl& selectedDiagram();

    QString notesFile_;
    QString damagedCopy_;   // where the damaged original of notesFile_ is to be kept; "" when sound
    QString barFolder_;   // the folder of the group whose items tmrBar builds
    QString popTag_;      // PopMenu1's tag: "1" once a submenu opened
    std::unique_ptr<clsTabStrip> tabStrip_;
    std::vector<diagram::DiagramControl*> diagrams_;   // children of picRHS
};

}
