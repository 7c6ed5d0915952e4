#pragma once
// A shown workbook control with the scripted ui, and a log of its events.
#include "platform/workbook/view/grid_view.h"
#include "platform/workbook/view/workbook_control.h"
#include "tests/support/scripted_ui.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace ks::test {

class ControlTest : public ::testing::Test {
protected:
    ControlTest()
    {
        control.resize(800, 500);
        control.show();
        control.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&control));
    }

    // Records every event with the cell text it sees at that moment.
    void logEvents(int row, int col)
    {
        auto text = [this, row, col] { return control.SheetText(row, col); };
        control.StartEdit = [=, this] { log.push_back("StartEdit"); };
        control.EndEdit = [=, this](std::string& t) { log.push_back("EndEdit " + t + " cell=" + text()); };
        control.KeyDown = [=, this](int& key, int) { log.push_back("KeyDown " + std::to_string(key) + " cell=" + text()); };
        control.KeyUp = [=, this](int key, int) { log.push_back("KeyUp " + std::to_string(key) + " cell=" + text()); };
        control.Click = [=, this](int r, int c) {
            log.push_back("Click " + std::to_string(r) + "," + std::to_string(c) + " cell=" + text());
        };
        control.ObjValueChanged = [this](const std::string& name, int id) {
            log.push_back("ObjValueChanged " + name + " " + std::to_string(id));
        };
    }

    QWidget* grid() { return &control.grid(); }
    QWidget* viewport() { return control.grid().viewport(); }
    QLineEdit* editor() { return control.grid().cellEditor(); }
    void clickCell(int row, int col)
    {
        QTest::mouseClick(viewport(), Qt::LeftButton, {}, control.grid().cellCenter(row, col));
    }

    ScriptedUi ui;
    workbook::view::WorkbookControl control;
    std::vector<std::string> log;
};

using Log = std::vector<std::string>;

}
