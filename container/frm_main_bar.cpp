// The main window's list bar: a group for the program folder's "Templates"
// and one for each of its sub-folders; a group's items, one for each file, are
// built the first time the group opens.
#include "container/frm_main.h"

#include "common/dialogs.h"
#include "common/paths.h"
#include "container/container_settings.h"
#include "container/frm_pics.h"
#include "container/frm_splash.h"
#include "container/lock_window_update.h"
#include "container/module_procedures.h"
#include "platform/controls/list_bar.h"
#include "platform/runtime/events.h"
#include "platform/runtime/runtime_error.h"
#include "platform/shell/file_icons.h"
#include "platform/ui/failure.h"

#include <QCollator>

namespace ks::container {
namespace {

constexpr quint32 kGroupColour = 0xE0E0E0;

// Names in the order a reader expects: alphabetical, letter case aside.
QStringList inReadingOrder(QStringList names)
{
    QCollator order;
    order.setCaseSensitivity(Qt::CaseInsensitive);
    order.setNumericMode(true);
    std::sort(names.begin(), names.end(), order);
    return names;
}

void copyGroups(controls::ListBar& from, controls::ListBar& to)
{
    for (int g = 1; g <= from.GroupCount(); ++g) {
        controls::ListBarGroup& source = from.Group(g);
        controls::ListBarGroup& copy = to.AddGroup(source.Key(), source.Caption());
        for (int i = 1; i <= source.ListItems().Count(); ++i) {
            const controls::ListBarItem& item = source.ListItems().Item(i);
            // Tags stay behind: a click derives a missing one.
            copy.ListItems().Add(item.Key(), item.Text()).setIcon(item.Icon());
        }
    }
}

}

void frmMain::LoadRadBar()
{
    try {
        clsLockWindowUpdate lock;
        lock.setHwnd(RB);
        RB->ClearGroups();
        frmMain* other = nullptr;
        for (frmMain* window : loadedWindows())
            if (window != this && !other)
                other = window;
        RB->setImages(&form<frmPics>().MilRB);
        if (other) {
            copyGroups(*other->RB, *RB);
        } else {
            ShowProgress("Loading Bar Items (Getting Dirs)...");
            const QString templates = ProgramFile("Templates");
            QStringList folders;
            for (const QString& name : ListFiles(AddBackslash(templates) + "*.*", ListWithFolders))
                if (name != "." && name != ".." && FolderExists(AddBackslash(templates) + name))
                    folders << name;
            ShowProgress("Loading Bar Items (Getting Files)...");
            RB->AddGroup(AddBackslash(templates), "Templates");
            for (const QString& name : inReadingOrder(folders))
                RB->AddGroup(AddBackslash(templates) + name, name);
        }
        for (int g = 1; g <= RB->GroupCount(); ++g) {
            RB->Group(g).setColour(kGroupColour);
            RB->Group(g).setStyleValue(0);
        }
        if (RB->GroupCount() > 0)
            RB->setCurrentGroup(RB->Group(1));
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "Error in frmMain: Sub LoadRadBar");
    }
}

void frmMain::RB_BarClick(controls::ListBarGroup& group)
{
    ui::runStep("Error in frmMain: Sub RB_BarClick", [&] {
        if (group.ListItems().Count() != 0)
            return;   // built once, never read again while the window lives
        barFolder_ = AddBackslash(group.Key());
        tmrBar.setEnabled(true);
    });
}

void frmMain::tmrBar_Timer()
{
    // The events let run below may close this window and delete it.
    const QPointer<frmMain> self(this);
    try {
        tmrBar.setEnabled(false);
        controls::ListBarGroup* group = RB->CurrentGroup();
        if (!group || group->ListItems().Count() != 0)
            return;
        HourglassOn();
        DoEvents();
        if (closed(self))
            return HourglassOff();
        const QStringList files = inReadingOrder(ListFiles(barFolder_ + "*.*", ListFilesOnly));
        RB->beginBatch();
        LoadBarDetails(*group, barFolder_, files);
        if (!closed(self))
            RB->endBatch();
        HourglassOff();
    } catch (const RuntimeError& e) {
        HourglassOff();
        if (closed(self))
            return;
        RB->endBatch();
        ui::showFailure(e, "Error in frmMain: Sub tmrBar_Timer");
    }
}

void frmMain::LoadBarDetails(controls::ListBarGroup& group, const QString& folder, const QStringList& files)
{
    controls::ImageList& icons = form<frmPics>().MilRB;
    const QString templateEnding = settings().templateEnding;
    const QPointer<frmMain> self(this);
    for (const QString& name : files) {
        ShowProgress("Loading " + name + "...");
        if (closed(self))
            return;   // closed while the progress text showed: its list bar is gone
        const QString key = folder + name;
        controls::ListBarItem& item = group.ListItems().Add(key, GetFileTitle(name, false));
        const QString ending = key.right(3);
        if (!templateEnding.isEmpty() && ending.compare(templateEnding, Qt::CaseInsensitive) == 0) {
            // A template: no icon of its own, and no tag.
        } else if (ending.compare("ico", Qt::CaseInsensitive) == 0 || ending.compare(".bu", Qt::CaseInsensitive) == 0) {
            group.ListItems().Remove(key);
            continue;
        } else {
            icons.Add(key, shell::associatedIcon(key));
            item.setTag("EXTERNAL");
        }
        item.setIcon(icons.IndexOf(key));
    }
}

}
