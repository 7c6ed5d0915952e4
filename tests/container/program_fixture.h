#pragma once
// A program folder of the container's own in a temporary folder, with its
// settings, its notes template and a Templates tree; the registry in a fresh
// configuration folder; scripted message boxes and dialogs; a shell that
// records what it is asked to open; and the memory load fixed at 40 %.
#include "container/container_settings.h"
#include "container/frm_main.h"
#include "container/frm_pics.h"
#include "container/frm_splash.h"
#include "container/main_video.h"
#include "container/module_procedures.h"
#include "container/notes_pane.h"
#include "container/resource_level.h"
#include "container/video_notes.h"
#include "platform/controls/list_bar.h"
#include "platform/editor/vek32.h"
#include "platform/shell/scripted_shell.h"
#include "tests/container/mru_fixture.h"
#include "tests/support/scripted_ui.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace ks::test {

class ContainerTest : public ConfigHomeTest {
protected:
    ScriptedUi ui;
    shell::ScriptedShell sh;
    std::string root;   // the program folder

    void SetUp() override
    {
        ConfigHomeTest::SetUp();
        root = temp.str() + "/program";
        std::filesystem::create_directories(root + "/Templates");
        App::setPath(QString::fromStdString(root));
        writeSettings("<TITLE>Resources Test</TITLE><APPDESCRIPTION>Videos and notes</APPDESCRIPTION><MAP>Map</MAP>"
                      "<EXT>orm</EXT><TEMPLATE>TEM</TEMPLATE><MEMORYTEXT>Too little memory./nClose a program.</MEMORYTEXT>");
        std::filesystem::create_directories(root + "/docs");
        std::filesystem::copy_file(std::string(std::getenv("KS_SOURCE_DIR")) + "/dist/docs/TrainingDocumentation.rtf",
                                   root + "/docs/TrainingDocumentation.rtf");
        shell::setShell(&sh);
        container::setMemoryLoadSource([] { return 40; });
        container::LoadSettings();
    }

    void TearDown() override
    {
        closeEverything();
        container::videoNotes() = {};
        container::rememberedDocumentFolder().clear();
        container::settings() = {};
        container::setMemoryLoadSource({});
        shell::setShell(nullptr);
        Form::setEntryReturned(false);
        ConfigHomeTest::TearDown();
    }

    // Every window goes without being asked.
    static void closeEverything()
    {
        for (Form* form : Form::loadedForms())
            delete form;
        for (FormSlot* slot : {&formSlot<container::frmPics>(), &formSlot<container::frmSplash>(),
                               &formSlot<container::MainVideo>(), &formSlot<container::frmMain>()})
            delete slot->existing();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void writeSettings(const std::string& elements) const
    {
        temp.write("program/Settings.nml", "<?xml version=\"1.0\"?><SETTINGS>" + elements + "</SETTINGS>");
    }
    // A file of the program folder, made with its folders.
    QString file(const std::string& relative, const std::string& content = "x") const
    {
        return QString::fromStdString(temp.write("program/" + relative, content).string());
    }
    QString path(const std::string& relative) const { return QString::fromStdString(root + "/" + relative); }
    std::string read(const QString& file) const
    {
        std::ifstream in(file.toStdString(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // The global main window, loaded as start-up loads it.
    container::frmMain& mainWindow() { return form<container::frmMain>(); }
    // Builds the open group's items at once, as the list bar's timer would.
    static void buildOpenGroup(container::frmMain& window)
    {
        if (window.tmrBar.enabled())
            window.tmrBar_Timer();
    }
    // Opens the group with that caption and builds its items.
    static controls::ListBarGroup& openGroup(container::frmMain& window, const QString& caption)
    {
        for (int g = 1; g <= window.RB->GroupCount(); ++g) {
            controls::ListBarGroup& group = window.RB->Group(g);
            if (group.Caption() == caption) {
                window.RB->setCurrentGroup(group);
                buildOpenGroup(window);
                return group;
            }
        }
        throw std::runtime_error("no group " + caption.toStdString());
    }
    static void click(container::frmMain& window, controls::ListBarGroup& group, const QString& text)
    {
        for (int i = 1; i <= group.ListItems().Count(); ++i)
            if (group.ListItems().Item(i).Text() == text)
                return window.RB_ItemClick(group.ListItems().Item(i), group);
        throw std::runtime_error("no item " + text.toStdString());
    }
    // Types text at the start of the window's notes.
    static void typeNote(container::frmMain& window, const std::string& text)
    {
        EditorSetCaretPos(window.Toc1->hWnd(), 0);
        EditorInsertText(window.Toc1->hWnd(), text.c_str());
    }
};

}
