#pragma once
// Reads back a PDF the programs wrote, with poppler's command-line tools, the
// way a user's viewer would see it. Tests skip when the tools are missing.
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace ks::test {

inline bool havePdfTools()
{
    return !QStandardPaths::findExecutable("pdftotext").isEmpty()
        && !QStandardPaths::findExecutable("pdfinfo").isEmpty();
}

inline QString runTool(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(QStandardPaths::findExecutable(program), arguments);
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// 0 when the file is no PDF.
inline int pdfPageCount(const QString& pdf)
{
    return QRegularExpression("Pages:\\s+(\\d+)").match(runTool("pdfinfo", {pdf})).captured(1).toInt();
}

inline QString pdfInfo(const QString& pdf, const QString& field)
{
    return QRegularExpression("^" + field + ":\\s+(.*)$", QRegularExpression::MultilineOption)
        .match(runTool("pdfinfo", {pdf}))
        .captured(1)
        .trimmed();
}

// The text of one page (from 1), laid out as on the page.
inline QString pdfPageText(const QString& pdf, int page)
{
    const QString n = QString::number(page);
    return runTool("pdftotext", {"-layout", "-f", n, "-l", n, pdf, "-"});
}

}
