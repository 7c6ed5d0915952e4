#pragma once
// The data window: one KPI's history taken from the scorecard into a workbook of its own,
// which the user can save as a separate file.
#include "platform/runtime/form.h"

#include <QStringList>
#include <cstdint>

class QAction;
class QComboBox;
class QListWidget;
class QMenuBar;
class QPushButton;
class QRadioButton;

namespace ks {

namespace workbook::view { class WorkbookControl; }

class DataForm : public Form {
public:
    DataForm();

    workbook::view::WorkbookControl* F1BookData = nullptr;
    QComboBox* ComboStartmonth = nullptr;
    QComboBox* ComboStartYear = nullptr;
    QPushButton* cmdImport = nullptr;
    QAction* MnuFilesaveas = nullptr;

    // Present on the window without a task yet, so they are shown disabled.
    QComboBox* ComboEndMonth = nullptr;
    QComboBox* ComboEndYear = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QListWidget* List1 = nullptr;
    QListWidget* lstKpis = nullptr;
    QPushButton* cmdCreate = nullptr;
    QPushButton* cmdGenerateReport = nullptr;

    void cmdImport_Click();
    // 1 when the workbook was written, else 0.
    std::int32_t MnuFilesaveas_Click();
    // Copies the actuals of KPI 1 for the first 100 history months into row 3.
    void Doloaddata();

protected:
    void Form_Load() override;

private:
    void buildControls();
    void buildSheet();
    void fillMonthList();
    void fillYearList();
};

// The years a history starting in `firstYear` offers up to `currentYear`; a first year
// that is no year up to now gives the current year alone.
QStringList HistoryYears(int firstYear, int currentYear);

}
