#pragma once
// Reads back a PDF the programs wrote, with poppler's command-line tools, the
// way a user's viewer would see it. Tests skip when the tools are missing.
#include <QImage>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

namespace ks::test {

inline bool havePdfTools()
{
    return !QStandardPaths::findExecutable("pdftotext").isEmpty()
        && !QStandardPaths::findExecutable("pdfinfo").isEmpty();
}

inline QString runTool(const QString& program, const QStringList& arguments, int waitMs = 20000)
{
    QProcess p;
    p.start(QStandardPaths::findExecutable(program), arguments);
    p.waitForFinished(waitMs);
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

// The words of one page with their boxes in points, as poppler places them.
struct PdfWord {
    QString text;
    QRectF box;
};

inline std::vector<PdfWord> pdfWords(const QString& pdf, int page)
{
    const QString n = QString::number(page);
    const QString html = runTool("pdftotext", {"-bbox", "-f", n, "-l", n, pdf, "-"});
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    std::vector<PdfWord> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words.push_back({m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                               QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return words;
}

// One page drawn as a viewer shows it, at `dpi`; null when poppler cannot draw it.
inline QImage pdfPageImage(const QString& pdf, int page, int dpi)
{
    QTemporaryDir dir;
    const QString n = QString::number(page), prefix = dir.filePath("page");
    runTool("pdftoppm", {"-r", QString::number(dpi), "-f", n, "-l", n, "-png", "-singlefile", pdf, prefix});
    return QImage(prefix + ".png");
}

// Whether a word is drawn to its end: a word cut by a clip has its text in the file
// (text extraction finds it whole) but no ink in its last part.
inline bool inkedToItsEnd(const QImage& page, const PdfWord& word, int dpi)
{
    const double scale = dpi / 72.0;
    const QRect end = QRectF(QPointF(word.box.left() + word.box.width() * 0.75, word.box.top()) * scale,
                             word.box.bottomRight() * scale)
                          .toAlignedRect()
                          .intersected(page.rect());
    for (int y = end.top(); y <= end.bottom(); ++y)
        for (int x = end.left(); x <= end.right(); ++x)
            if (qGray(page.pixel(x, y)) < 128)
                return true;
    return false;
}

}
