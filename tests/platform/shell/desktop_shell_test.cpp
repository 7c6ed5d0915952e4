#include "platform/shell/desktop_entries.h"
#include "platform/shell/desktop_shell.h"
#include "tests/support/temp_dir.h"

#include <QElapsedTimer>
#include <filesystem>
#include <QFile>
#include <QThread>
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
