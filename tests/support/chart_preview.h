#pragma once
// KS_CHART_PREVIEW=<folder> keeps what the chart tests draw, to look at. The folder is made
// when missing, and a preview that could not be written fails the test rather than passing
// with nothing to look at.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>

namespace ks::test {

// write(path) writes the preview `name` when a preview folder is asked for; it says whether it could.
inline void keepPreview(const QString& name, const std::function<bool(const QString&)>& write)
{
    const char* folder = std::getenv("KS_CHART_PREVIEW");
    if (!folder || !*folder)
        return;
    QDir().mkpath(QString::fromLocal8Bit(folder));
    const QString path = QDir(QString::fromLocal8Bit(folder)).filePath(name);
    QFile::remove(path);   // a copy never replaces a file
    EXPECT_TRUE(write(path) && QFileInfo(path).isFile()) << "cannot write the preview " << path.toStdString();
}

}
