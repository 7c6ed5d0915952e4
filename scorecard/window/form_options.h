#pragma once
// Tools > Options: the start of the financial year, the start of the history and whether
// reports show the % of target or the variance, kept in option cells of the scorecard.
#include "platform/runtime/form.h"

class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace ks {

class FormOptions : public Form {
public:
    FormOptions();

    QComboBox* ComboFYMonth = nullptr;
    QComboBox* ComboFYYear = nullptr;
    QComboBox* ComboHDMonth = nullptr;   // hidden until Picture1 has warned
    QComboBox* ComboHDYear = nullptr;
    QComboBox* ComboVariance = nullptr;
    QPushButton* CommandOK = nullptr;
    QPushButton* CommandCancel = nullptr;
    QToolButton* Picture1 = nullptr;

    // Shows the stored option cells in the lists.
    void GetOptionsInfo();
    void CommandOK_Click();
    void CommandCancel_Click();
    void Picture1_Click();
    void Form_Resize();

protected:
    void Form_Load() override;
    void Form_Unload(int& cancel) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fillLists();
    // Shows why the dates cannot be stored; false when they can.
    bool refuseDates();
    void storeOptions();
};

}
