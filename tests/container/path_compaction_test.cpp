#include "container/cls_compact_path.h"

#include "platform/runtime/events.h"
#include "tests/container/raised.h"
#include "tests/support/qt_print.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>

using namespace ks;

TEST(PathCompaction, MiddleOfTheFolderGivesWayFirst)
{
    const auto width = averageTextWidth(7);
    const QString path = "/home/user/projects/report.txt";
    EXPECT_EQ(compactPath(path, 210, width), path) << "30 characters fit 210 pixels";
    EXPECT_EQ(compactPath(path, 140, width), "/home/.../report.txt");
    EXPECT_EQ(compactPath(path, 146, width), "/home/.../report.txt");
    EXPECT_EQ(compactPath(path, 147, width), "/home/u.../report.txt");
    EXPECT_EQ(compactPath(path, 10, width), ".../report.txt") << "never shorter than the file name";
    EXPECT_EQ(compactPath("abcdefghij", 49, width), "abcd...");
    EXPECT_EQ(compactPath("abcdefghij", 0, width), "...");
    EXPECT_EQ(compactPath(QString(), 0, width), QString());

    clsCompactPath compact;
    EXPECT_EQ(compact.CompactedPath(path, 140, width), compact.CompactedPathSh(path, 140, width));
}

TEST(PathCompaction, IntoAControlFitsItsWidthLessAMargin)
{
    QWidget parent;
    parent.setFont(QFont("Monospace", 10));
    QLabel label(&parent);
    label.resize(200, 20);
    const QString path = "/home/user/a/very/long/folder/name/with/many/parts/inside/it/report.txt";
    clsCompactPath().CompactPathIntoControl(&label, path);
    const int pixels = int(std::lrint(pixelsToTwipsX(200) - 100) / std::lrint(twipsPerPixelX()));
    EXPECT_EQ(label.text(), compactPath(path, pixels, widgetTextWidth(parent)));
    EXPECT_TRUE(label.text().endsWith("/report.txt"));
    EXPECT_LE(parent.fontMetrics().horizontalAdvance(label.text()), pixels);

    QLineEdit edit;
    edit.resize(2000, 20);
    clsCompactPath().CompactPathIntoControl(&edit, "/short.txt");
    EXPECT_EQ(edit.text(), "/short.txt");

    QWidget plain;
    EXPECT_EQ(test::errorOf([&] { clsCompactPath().CompactPathIntoControl(&plain, path); }), 438)
        << "a control without text";
}
