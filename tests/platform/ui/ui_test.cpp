#include "platform/runtime/app.h"
#include "platform/ui/qt_backend.h"
#include "platform/ui/scripted_backend.h"
#include "platform/ui/ui.h"

#include <QApplication>
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
