#include "platform/runtime/app.h"
#include "platform/ui/qt_backend.h"
#include "platform/ui/scripted_backend.h"
#include "platform/ui/ui.h"

#include "tests/support/temp_dir.h"

#include <QApplication>
#include <QAbstractButton>
#include <QFileDialog>
#include <QLineEdit>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace ks;
using namespace ks::ui;

TEST(ScriptedUi, RecordsBoxesAnswersInOrderAndFlagsTheUnexpected)
{
    ScriptedBackend script;
    setBackend(&script);
    App::setTitle("Orvantis");
    script.answerMessage(Yes);
    script.answerInput(QString("typed"));

    EXPECT_EQ(MsgBox("Save Changes?", YesNoCancel | Question), Yes);
    EXPECT_EQ(InputBox("Company name"), "typed");
    // Nothing queued: answered as Esc would, and recorded as a failure.
    EXPECT_EQ(MsgBox("Surprise", OKCancel, "Own caption"), Cancel);
    EXPECT_EQ(MsgBox("Surprise", YesNo), No);

    ASSERT_EQ(script.messageBoxes().size(), 3u);
    EXPECT_EQ(script.messageBoxes()[0].caption, "Orvantis");
    EXPECT_EQ(script.messageBoxes()[0].buttons, YesNoCancel);
    EXPECT_EQ(script.messageBoxes()[0].icon, Question);
    EXPECT_EQ(script.messageBoxes()[1].caption, "Own caption");
    EXPECT_EQ(script.failures().size(), 2);

    // A queued answer of another kind is not taken by the wrong dialog.
    script.clear();
    script.answerSave("/tmp/x.vqa", 2);
    EXPECT_EQ(MsgBox("Which?", OKOnly), OK);
    EXPECT_EQ(script.failures().size(), 1);
    FileDialogRequest save;
    save.save = true;
    save.filterIndex = 1;
    FileDialogResult r = backend().fileDialog(save);
    EXPECT_EQ(r.path, "/tmp/x.vqa");
    EXPECT_EQ(r.filterIndex, 2);
    EXPECT_EQ(script.pendingAnswers(), 0);
    setBackend(nullptr);
}

TEST(ScriptedUi, HourglassIsOneStateNotAStack)
{
    ScriptedBackend script;
    setBackend(&script);
    setHourglass(true);
    setHourglass(true);
    EXPECT_TRUE(hourglass());
    setHourglass(false);
    EXPECT_FALSE(hourglass());
    setHourglass(false);
    EXPECT_EQ(script.hourglassChanges(), (std::vector<bool>{true, false}));
    setBackend(nullptr);
}

TEST(UiText, FiltersAndLineBreaks)
{
    EXPECT_EQ(nameFiltersOf("Scorecard Files|*.vqa|All Files|*.*"),
              QStringList({"Scorecard Files (*.vqa)", "All Files (*.*)"}));
    EXPECT_EQ(nameFiltersOf("Pictures|*.jpg;*.bmp"), QStringList{"Pictures (*.jpg *.bmp)"});
    // A text that names its patterns already does not show them twice.
    EXPECT_EQ(nameFiltersOf("Scorecard Files (*.vqa)|*.vqa"), QStringList{"Scorecard Files (*.vqa)"});
    EXPECT_EQ(nameFiltersOf("Pictures (*.jpg)|*.jpg;*.bmp"), QStringList{"Pictures (*.jpg) (*.jpg *.bmp)"});
    EXPECT_EQ(patternsOf("A|*.a|B|*.b;*.c", 2), QStringList({"*.b", "*.c"}));
    EXPECT_TRUE(patternsOf("A|*.a", 3).isEmpty());
    EXPECT_EQ(displayText("one\r\rtwo\r\nthree"), "one\n\ntwo\nthree");
}

TEST(QtUi, EscapeGivesCancelAndLineBreaksAreShown)
{
    QtBackend qt;
    QString seen;
    QTimer::singleShot(50, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen = box->text();
            QTest::keyClick(box, Qt::Key_Escape);
        }
    });
    EXPECT_EQ(qt.messageBox({"Save Changes?\r\rReally", "Orvantis", YesNoCancel, Question}), Cancel);
    EXPECT_EQ(seen, "Save Changes?\n\nReally");

    QTimer::singleShot(50, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(qt.messageBox({"Done", "Orvantis", OKOnly, Information}), OK);
}

namespace {

// Drives the save dialog like a user: types each name in turn and presses Enter; a
// question about replacing a file is answered with the next answer.
struct SaveDialogUser {
    QStringList names;
    std::vector<QMessageBox::StandardButton> answers;
    QStringList questions;
    QStringList shownFilters;
    bool cancelWhenDone = true;

    FileDialogResult run(const FileDialogRequest& request)
    {
        QTimer driver;
        bool busy = false;
        QObject::connect(&driver, &QTimer::timeout, [&] {
            QWidget* top = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(top); box && !answers.empty()) {
                questions << box->text();
                box->button(answers.front())->click();
                answers.erase(answers.begin());
            } else if (auto* dialog = qobject_cast<QFileDialog*>(top); dialog && !busy) {
                shownFilters = dialog->nameFilters();
                auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
                if (names.isEmpty()) {
                    dialog->reject();
                    return;
                }
                // Posted: a question the dialog asks runs its own loop, which this tick must not hold.
                busy = true;
                QTimer::singleShot(0, edit, [&busy, edit, name = names.takeFirst()] {
                    edit->setText(name);
                    QTest::keyClick(edit, Qt::Key_Return);
                    busy = false;
                });
            }
        });
        driver.start(50);
        QtBackend qt;
        return qt.fileDialog(request);
    }
};

}

TEST(QtUi, ASaveDialogAddsTheExtensionAndAsksBeforeReplacing)
{
    test::TempDir dir;
    dir.write("Taken.vqa", "kept");
    FileDialogRequest request;
    request.save = true;
    request.filter = "Scorecard Files (*.vqa)|*.vqa";
    request.defaultExt = "vqa";
    request.startFolder = QString::fromStdString(dir.str());
    request.flags = OverwritePrompt | HideReadOnly;

    // An existing name: asked, and No goes back to the dialog (cancelled here).
    SaveDialogUser asked{{"Taken"}, {QMessageBox::No}};
    EXPECT_TRUE(asked.run(request).path.isEmpty());
    ASSERT_EQ(asked.questions.size(), 1);
    EXPECT_TRUE(asked.questions[0].contains("Taken.vqa")) << asked.questions[0].toStdString();
    EXPECT_EQ(dir.read("Taken.vqa"), "kept");
    EXPECT_EQ(asked.shownFilters, QStringList{"Scorecard Files (*.vqa)"});

    // A name typed without extension gets it.
    SaveDialogUser typed{{"Mycard"}, {}};
    EXPECT_EQ(typed.run(request).path.toStdString(), dir.str() + "/Mycard.vqa");
    EXPECT_TRUE(typed.questions.isEmpty());

    // Yes replaces.
    SaveDialogUser replacing{{"Taken"}, {QMessageBox::Yes}};
    EXPECT_EQ(replacing.run(request).path.toStdString(), dir.str() + "/Taken.vqa");
    EXPECT_EQ(replacing.questions.size(), 1);
}
