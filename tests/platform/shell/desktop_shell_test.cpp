#include "platform/shell/desktop_entries.h"
#include "platform/shell/desktop_shell.h"
#include "tests/support/temp_dir.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace ks::shell;

namespace {

// A private desktop: one application for plain text and https addresses, whose
// program records its arguments in a file.
struct FakeDesktop : ::testing::Test {
    ks::test::TempDir dir;
    std::string log;

    FakeDesktop()
    {
        log = dir.str() + "/launched.txt";
        auto script = dir.write("bin/recorder", "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + log + "'\n");
        ::chmod(script.c_str(), 0755);
        dir.write("data/applications/recorder.desktop",
                  "[Desktop Entry]\nType=Application\nName=Recorder\nExec=\"" + script.string()
                      + "\" --open %u\nMimeType=text/plain;x-scheme-handler/https;\n");
        dir.write("data/applications/hidden.desktop",
                  "[Desktop Entry]\nType=Application\nName=Hidden\nExec=true\nNoDisplay=true\n");
        // The system's MIME database, but none of its applications.
        std::filesystem::create_directory_symlink("/usr/share/mime", dir.path() / "data/mime");
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dir.str() + "/data"));
        qputenv("XDG_DATA_DIRS", QByteArray::fromStdString(dir.str() + "/none"));
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir.str() + "/config"));
        qputenv("XDG_CONFIG_DIRS", QByteArray::fromStdString(dir.str() + "/none"));
    }

    std::string launched()
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 5000) {
            std::string text = dir.read("launched.txt");
            if (!text.empty())
                return text;
            QThread::msleep(20);
        }
        return {};
    }
};

}

TEST_F(FakeDesktop, OpenHasThreeOutcomes)
{
    DesktopShell desktop;
    auto doc = dir.write("notes.txt", "hello");
    EXPECT_EQ(desktop.open(QString::fromStdString(doc.string())), OpenResult::Done);
    EXPECT_EQ(launched(), "--open\n" + doc.string() + "\n");

    auto unknown = dir.write("data.kestrune-unknown", std::string("\x01\x02\x03\x00\x9f", 5));
    EXPECT_EQ(desktop.open(QString::fromStdString(unknown.string())), OpenResult::NoAssociation);
    EXPECT_EQ(desktop.open(QString::fromStdString(dir.str() + "/missing.txt")), OpenResult::Failed);
    EXPECT_EQ(desktop.open("mailto:a@b.org"), OpenResult::NoAssociation);
}

TEST_F(FakeDesktop, InternetShortcutsOpenTheirAddress)
{
    DesktopShell desktop;
    auto url = dir.write("Website.url", "[InternetShortcut]\r\nURL=https://example.org/help\r\n");
    EXPECT_EQ(DesktopShell::shortcutUrl(QString::fromStdString(url.string())), "https://example.org/help");
    EXPECT_EQ(desktop.open(QString::fromStdString(url.string())), OpenResult::Done);
    EXPECT_EQ(launched(), "--open\nhttps://example.org/help\n");
    auto empty = dir.write("Empty.url", "[InternetShortcut]\r\n");
    EXPECT_EQ(desktop.open(QString::fromStdString(empty.string())), OpenResult::Failed);
}

TEST_F(FakeDesktop, ApplicationsAndStartingPrograms)
{
    DesktopEntries db = DesktopEntries::fromEnvironment();
    ASSERT_EQ(db.applications().size(), 1u) << "entries marked NoDisplay are not offered";
    EXPECT_EQ(db.applications()[0].name, "Recorder");
    EXPECT_EQ(DesktopEntries::commandFor("viewer --x %F", "/a b.txt"), QStringList({"viewer", "--x", "/a b.txt"}));
    EXPECT_EQ(DesktopEntries::commandFor("\"/opt/my app/run\" %i -f", "/f"), QStringList({"/opt/my app/run", "-f", "/f"}));
    EXPECT_EQ(DesktopEntries::commandFor("tool --file=%f 100%%", "/f"), QStringList({"tool", "--file=/f", "100%"}));

    DesktopShell desktop;
    EXPECT_TRUE(desktop.startProgram(QString::fromStdString(dir.str() + "/bin/recorder")));
    EXPECT_EQ(launched(), "\n");
    EXPECT_FALSE(desktop.startProgram(QString::fromStdString(dir.str() + "/bin/container")));
    EXPECT_FALSE(desktop.startProgram(QString::fromStdString(dir.str() + "/notes-that-is-not-a-program")));
}

// Every shape of Exec line hands a hostile file name over as one argument, as it is: no
// shell runs what the name holds, and a field code inside quotes refuses the entry.
TEST_F(FakeDesktop, FileNamesNeverRunAsCommands)
{
    const std::string recorder = dir.str() + "/bin/recorder";
    const std::vector<std::string> shapes = {
        recorder + " %f",
        recorder + " --file=%f",
        "sh -c \"" + recorder + " %f\"",
        "sh -c \"" + recorder + " \\\"%f\\\"\"",
        "/bin/sh -c \"" + recorder + " '%f'\"",
        "env bash -ec \"cd / && " + recorder + " %u\"",
    };
    const std::vector<std::string> names = {"a $(touch pwned) b.txt", "a `touch pwned` b.txt",
                                            "it's \"quoted\" \\ $HOME.txt", "a; touch pwned; b.txt",
                                            "line\ntouch pwned\n.txt"};
    for (const std::string& shape : shapes) {
        for (const std::string& name : names) {
            const std::string target = dir.str() + "/" + name;
            QStringList command = DesktopEntries::commandFor(QString::fromStdString(shape), QString::fromStdString(target));
            ASSERT_FALSE(command.isEmpty()) << shape;
            std::filesystem::remove(log);
            const QString program = command.takeFirst();
            QProcess run;
            run.setWorkingDirectory(QString::fromStdString(dir.str()));
            run.start(program, command);
            ASSERT_TRUE(run.waitForFinished(10000)) << shape;
            EXPECT_FALSE(std::filesystem::exists(dir.path() / "pwned")) << shape << " ran code from " << name;
            const std::string expected = (shape.find("--file=") != std::string::npos ? "--file=" : "") + target + "\n";
            EXPECT_EQ(dir.read("launched.txt"), expected) << shape;
        }
    }
    // Quotes the entry wrote around a field code are no quoting for a name that holds quotes.
    EXPECT_EQ(DesktopEntries::commandFor("viewer \"%f\"", "/a\" b.txt"), QStringList({"viewer", "/a\" b.txt"}));
    EXPECT_TRUE(DesktopEntries::commandFor("viewer \"--open %f\"", "/a\" b.txt").isEmpty());
    EXPECT_TRUE(DesktopEntries::commandFor("python3 -c \"open('%f')\"", "/a').txt").isEmpty());
    // A name that starts with "-" is no option.
    EXPECT_EQ(DesktopEntries::commandFor("viewer %f", "-rf.txt"), QStringList({"viewer", "./-rf.txt"}));
    EXPECT_EQ(DesktopEntries::commandFor("sh -c \"viewer %f\"", "-rf.txt"),
              QStringList({"sh", "-c", "viewer \"$1\"", "sh", "./-rf.txt"}));
}

// A program that needs a terminal runs in one; one with a window of its own is preferred.
TEST_F(FakeDesktop, TerminalProgramsRunInTheDesktopsTerminal)
{
    const std::string recorder = dir.str() + "/bin/recorder";
    dir.write("data/applications/recorder.desktop",
              "[Desktop Entry]\nType=Application\nName=Recorder\nExec=" + recorder
                  + " --open %f\nTerminal=true\nMimeType=text/plain;\n");
    auto terminal = dir.write("bin/terminal", "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + log + "'\n");
    ::chmod(terminal.c_str(), 0755);
    qputenv("TERMINAL", QByteArray::fromStdString(terminal.string()));
    DesktopShell desktop;
    auto doc = dir.write("notes.txt", "hello");
    EXPECT_EQ(desktop.open(QString::fromStdString(doc.string())), OpenResult::Done);
    EXPECT_EQ(launched(), "-e\n" + recorder + "\n--open\n" + doc.string() + "\n");

    // No terminal anywhere: the open fails, so the user is told.
    const QByteArray path = qgetenv("PATH");
    qputenv("TERMINAL", "");
    qputenv("PATH", QByteArray::fromStdString(dir.str() + "/none"));
    std::filesystem::remove(log);
    EXPECT_EQ(desktop.open(QString::fromStdString(doc.string())), OpenResult::Failed);
    qputenv("PATH", path);
    qunsetenv("TERMINAL");
    EXPECT_FALSE(std::filesystem::exists(log));

    // The desktop's own default is a terminal program, another has a window: that one opens.
    dir.write("data/applications/windowed.desktop",
              "[Desktop Entry]\nType=Application\nName=Windowed\nExec=windowed %f\nMimeType=text/plain;\n");
    dir.write("config/mimeapps.list", "[Default Applications]\ntext/plain=recorder.desktop\n");
    DesktopEntries db = DesktopEntries::fromEnvironment();
    ASSERT_NE(db.defaultFor("text/plain"), nullptr);
    EXPECT_EQ(db.defaultFor("text/plain")->id, "windowed.desktop");
    ASSERT_EQ(db.handlersOf("text/plain").size(), 2u);
    EXPECT_EQ(db.handlersOf("text/plain")[0]->id, "recorder.desktop") << "the user's default comes first in the list";
}

// The chooser offers the programs for the file's type; the others only when asked.
TEST_F(FakeDesktop, OpenWithOffersTheProgramsForTheFilesTypeFirst)
{
    dir.write("data/applications/docs.desktop",
              "[Desktop Entry]\nType=Application\nName=Aardvark Docs\nExec=docs %u\nMimeType=text/html;\n");
    auto doc = dir.write("notes.txt", "hello");
    QStringList first, every;
    DesktopShell desktop;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        auto* list = dialog->findChild<QListWidget*>();
        for (int i = 0; i < list->count(); ++i)
            first << list->item(i)->text();
        dialog->findChild<QCheckBox*>()->setChecked(true);
        for (int i = 0; i < list->count(); ++i)
            every << list->item(i)->text();
        static_cast<QDialog*>(dialog)->reject();
    });
    EXPECT_EQ(desktop.openWith(QString::fromStdString(doc.string()), nullptr), OpenWithResult::Cancelled);
    EXPECT_EQ(first, QStringList({"Recorder"}));
    EXPECT_EQ(every, QStringList({"Recorder", "Other programs", "Aardvark Docs"}));

    QTimer::singleShot(0, [&] { static_cast<QDialog*>(QApplication::activeModalWidget())->accept(); });
    EXPECT_EQ(desktop.openWith(QString::fromStdString(doc.string()), nullptr), OpenWithResult::Opened);
    EXPECT_EQ(launched(), "--open\n" + doc.string() + "\n");
}
