// Printing an editor window through VekPrint: the pages of a PDF hold every paragraph in
// order; a cancelled dialog prints nothing; a file that cannot be written is reported and
// a PDF that cannot be written whole leaves the previous one.
#include "platform/editor/vek32.h"
#include "platform/editor/view/editor_view.h"
#include "tests/support/file_faults.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/temp_dir.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

using ks::editor::view::EditorView;

namespace {

QString run(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

class EditorPrintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        view = EditorView::create(nullptr);
        h = view->handle();
        view->resize(500, 400);
        EditorSetLineChars(h, 0, "", nullptr);
    }
    void TearDown() override { delete view; }
    QString in(const char* name) { return QString::fromStdString((dir.path() / name).string()); }

    // Paragraphs named by a numbered first word, in two fonts, long enough to wrap, with a
    // table now and then.
    void buildDocument(int paragraphs)
    {
        int plain = EditorCreateFont(h, -1, 1, "Arial", 11, 0, 0, 0xFFFFFF, 0, 0);
        int bold = EditorCreateFont(h, -1, 1, "Times New Roman", 14, 1, 0, 0xFFFFFF, 0, 0);
        for (int p = 0; p < paragraphs; ++p) {
            std::string tag = "para" + std::to_string(1000 + p);
            if (p % 50 == 49) {
                int cell = EditorCreateCell(h, 1, 0, 0, 0, 0, 2000, 0, 15, 15, 15, 15, 1, 1, 0x20);
                EditorAppendText(h, (tag + " in a cell\x13\x12").c_str(), plain, 0, cell, -1, 0);
                EditorEndTable(h, cell, 1);
                continue;
            }
            EditorAppendText(h, (tag + " ").c_str(), bold, 0, 0, -1, 0);
            std::string words;
            for (int w = 0; w < 30; ++w)
                words += "word" + std::to_string(w) + " ";
            EditorAppendText(h, (words + "\x15").c_str(), plain, 0, 0, -1, 0);
        }
        EditorUpdateTables(h);
    }

    ks::test::ScriptedUi ui;
    ks::test::TempDir dir;
    EditorView* view = nullptr;
    HWND h = nullptr;
};

TEST_F(EditorPrintTest, ThirtyPagesOfPdfHoldEveryParagraphInOrder)
{
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
    if (pdftotext.isEmpty() || pdfinfo.isEmpty())
        GTEST_SKIP() << "poppler-utils are not installed";
    const int paragraphs = 900;
    buildDocument(paragraphs);
    const QString pdf = in("printed.pdf");
    ui.answerPrint(true, pdf);
    ASSERT_EQ(VekPrint(h), 1);
    const int pages = QRegularExpression("Pages:\\s+(\\d+)").match(run(pdfinfo, {pdf})).captured(1).toInt();
    EXPECT_GE(pages, 30);
    const QString text = run(pdftotext, {pdf, "-"});
    qsizetype at = 0;
    for (int p = 0; p < paragraphs; ++p) {
        qsizetype found = text.indexOf("para" + QString::number(1000 + p) + " ", at);
        ASSERT_GE(found, at) << "paragraph " << p << " is missing or out of order";
        at = found;
    }
    // Every page holds text: no page is left blank by the cutting.
    for (int page = 1; page <= pages; ++page) {
        const QString n = QString::number(page);
        EXPECT_FALSE(run(pdftotext, {"-f", n, "-l", n, pdf, "-"}).trimmed().isEmpty()) << "page " << page;
    }
}

TEST_F(EditorPrintTest, ACancelledDialogPrintsNothingAndAnUnwritableFileIsReported)
{
    buildDocument(3);
    const QString pdf = in("cancelled.pdf");
    ui.answerPrint(false, pdf);
    EXPECT_EQ(VekPrint(h), 0);
    EXPECT_FALSE(QFile::exists(pdf));

    ui.answerPrint(true, in("no such folder/out.pdf"));
    ui.answerMessage(ks::ui::OK);
    EXPECT_EQ(VekPrint(h), 0);
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_TRUE(ui.messageBoxes()[0].text.contains("no such folder/out.pdf")) << ui.messageBoxes()[0].text.toStdString();

    EXPECT_EQ(VekPrint(reinterpret_cast<HWND>(0x7777)), 0) << "no window, nothing to print";
    EXPECT_EQ(ui.records().size(), 3u) << "no dialog for a window that does not exist";
}

TEST_F(EditorPrintTest, AFullDiskIsReportedAndKeepsThePreviousPdf)
{
    buildDocument(20);
    const QString pdf = in("kept.pdf");
    ui.answerPrint(true, pdf);
    ASSERT_EQ(VekPrint(h), 1);
    QFile before(pdf);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray old = before.readAll();
    ASSERT_TRUE(old.trimmed().endsWith("%%EOF"));

    ui.answerPrint(true, pdf);
    ui.answerMessage(ks::ui::OK);
    {
        ks::test::FullDisk full(4096);
        EXPECT_EQ(VekPrint(h), 0) << "a printout cut short by the disk is not a success";
    }
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_TRUE(ui.messageBoxes()[0].text.startsWith("Printer error")) << ui.messageBoxes()[0].text.toStdString();
    QFile after(pdf);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), old) << "the previous PDF is whole";
    EXPECT_EQ(ks::test::folderListing(dir.path()), "kept.pdf\n") << "no temporary file is left";
}

}
