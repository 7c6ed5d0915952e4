#include "platform/shell/file_icons.h"

#include "tests/support/temp_dir.h"

#include <QFileInfo>
#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

using namespace ks;

namespace {

QImage pictureOf(const QIcon& icon) { return icon.pixmap(32, 32).toImage(); }

}

TEST(FileIcons, EachFileGetsTheIconOfItsType)
{
    test::TempDir dir;
    const QString folder = QString::fromStdString(dir.str());
    dir.write("clip.wmv", "not really a video");
    dir.write("notes.txt", "text");
    dir.write("README", "a name without an ending");

    const QIcon video = shell::associatedIcon(folder + "/clip.wmv");
    const QIcon text = shell::associatedIcon(folder + "/notes.txt");
    const QIcon plain = shell::associatedIcon(folder + "/README");
    const QIcon missing = shell::associatedIcon(folder + "/gone.wmv");
    for (const QIcon* icon : {&video, &text, &plain, &missing})
        EXPECT_FALSE(pictureOf(*icon).isNull());

    EXPECT_EQ(pictureOf(missing), pictureOf(video)) << "a missing file still shows its type";
    EXPECT_EQ(pictureOf(shell::associatedIcon(folder + "/OTHER.WMV")), pictureOf(video))
        << "the ending is matched without regard to case";
    if (QFileInfo::exists("/usr/share/icons/Adwaita/index.theme")) {
        EXPECT_NE(pictureOf(video), pictureOf(text)) << "videos and text files look different";
    }
}
