#include "scorecard/window/data_form.h"

#include "common/layout/scorecard_layout.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"
#include "platform/workbook/view/workbook_control.h"
#include "scorecard/window/spread_form.h"

#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ks {

using workbook::view::WorkbookControl;

namespace {

constexpr int kLoadedMonths = 100;
constexpr int kActualsRow = 3, kFirstMonthCol = 2;
constexpr int kEarliestYear = 1900;

const QString kSavingProblem = QStringLiteral(
    "We have a problem saving this file. Please try again and make sure that you have enough disk space and that "
    "you are not trying to overwrite a file that is already in use or read-only.");

// The leading number of a text, as far as it reads as one; 0 without one.
double leadingNumber(const QString& text)
{
    const QString t = text.trimmed();
    int end = 0;
    while (end < t.size() && (t[end].isDigit() || t[end] == '.' || (end == 0 && (t[end] == '-' || t[end] == '+'))))
        ++end;
    return t.left(end).toDouble();
}

void setBold(workbook::Book& book, int row1, int col1, int row2, int col2)
{
    book.SelectBlock(row1, col1, row2, col2);
    workbook::Font font = book.GetSelectionFont();
    font.bold = true;
    book.SetSelectionFont(font);
}

}

QStringList HistoryYears(int firstYear, int currentYear)
{
    if (firstYear < kEarliestYear || firstYear > currentYear)
        firstYear = currentYear;
    QStringList years;
    for (int y = firstYear; y <= currentYear; ++y)
        years << QString::number(y);
    return years;
}

DataForm::DataForm() : Form(QStringLiteral("DataForm"))
{
    setWindowTitle(QStringLiteral("KPI Data"));
    buildControls();
    buildSheet();
    resize(960, 620);
}

void DataForm::buildControls()
{
    auto* menuBar = new QMenuBar(this);
    QMenu* file = menuBar->addMenu(QStringLiteral("&File"));
    MnuFilesaveas = file->addAction(QStringLiteral("Save as..."), [this] { MnuFilesaveas_Click(); });

    ComboStartmonth = new QComboBox;
    ComboStartYear = new QComboBox;
    ComboEndMonth = new QComboBox;
    ComboEndYear = new QComboBox;
    auto* period = new QGridLayout;
    period->addWidget(new QLabel(QStringLiteral("Start Month:")), 0, 0);
    period->addWidget(ComboStartmonth, 0, 1);
    period->addWidget(new QLabel(QStringLiteral("Year :")), 0, 2);
    period->addWidget(ComboStartYear, 0, 3);
    period->addWidget(new QLabel(QStringLiteral("End Month:")), 1, 0);
    period->addWidget(ComboEndMonth, 1, 1);
    period->addWidget(new QLabel(QStringLiteral("Year :")), 1, 2);
    period->addWidget(ComboEndYear, 1, 3);

    Option1 = new QRadioButton(QStringLiteral("Actual"));
    Option2 = new QRadioButton(QStringLiteral("Budget"));
    auto* kind = new QVBoxLayout;
    kind->addWidget(Option1);
    kind->addWidget(Option2);

    lstKpis = new QListWidget;
    List1 = new QListWidget;
    for (QListWidget* list : {lstKpis, List1})
        list->setMaximumHeight(72);
    auto* kpis = new QVBoxLayout;
    kpis->addWidget(new QLabel(QStringLiteral("Please select your KPIs to display:")));
    kpis->addWidget(lstKpis);

    cmdCreate = new QPushButton(QStringLiteral("&Create Input File"));
    cmdGenerateReport = new QPushButton(QStringLiteral("Generate Report"));
    cmdImport = new QPushButton(QStringLiteral("&Save"));
    QObject::connect(cmdImport, &QPushButton::clicked, this, [this] { cmdImport_Click(); });
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdCreate);
    buttons->addWidget(cmdGenerateReport);
    buttons->addWidget(cmdImport);
    buttons->addStretch();

    for (QWidget* idle : std::initializer_list<QWidget*>{ComboEndMonth, ComboEndYear, Option1, Option2, List1,
                                                         lstKpis, cmdCreate, cmdGenerateReport})
        idle->setEnabled(false);

    auto* top = new QHBoxLayout;
    top->addLayout(period);
    top->addSpacing(16);
    top->addLayout(kind);
    top->addSpacing(16);
    top->addLayout(kpis, 1);
    top->addWidget(List1, 1);
    top->addSpacing(16);
    top->addLayout(buttons);

    F1BookData = new WorkbookControl;
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addLayout(top);
    layout->addWidget(F1BookData, 1);
}

// The workbook as the window comes: a title, a header of history months and the row the actuals go to.
void DataForm::buildSheet()
{
    workbook::Book& book = F1BookData->book();
    book.setSheetName(1, "KPI 1 actuals");
    book.setSheetText(1, 1, "Actuals of KPI 1, month by month from the start of the data history");
    book.setSheetText(2, 1, "History month");
    for (int i = 1; i <= kLoadedMonths; ++i)
        book.setSheetText(2, kFirstMonthCol + i - 1, "Month " + std::to_string(i));
    book.setSheetText(kActualsRow, 1, "Actual");
    setBold(book, 1, 1, 1, 1);
    setBold(book, 2, 1, 2, kFirstMonthCol + kLoadedMonths - 1);
    setBold(book, kActualsRow, 1, kActualsRow, 1);
    book.setColumnWidth(1, 16);
    for (int col = kFirstMonthCol; col < kFirstMonthCol + kLoadedMonths; ++col)
        book.setColumnWidth(col, 10);
    book.PlaceCursor(kActualsRow, kFirstMonthCol);
}

void DataForm::Form_Load()
{
    try {
        fillMonthList();
        fillYearList();
        Doloaddata();
    } catch (const RuntimeError& e) {
        ui::showFailure(e, QStringLiteral("DataForm_Load_err"));
    }
}

void DataForm::fillMonthList()
{
    const QLocale english(QLocale::English);
    for (int i = 1; i <= 12; ++i)
        ComboStartmonth->addItem(english.monthName(i, QLocale::ShortFormat));
    ComboStartmonth->setCurrentIndex(QDate::currentDate().month() - 1);
}

void DataForm::fillYearList()
{
    ComboStartYear->clear();
    const WorkbookControl& scorecard = *form<SpreadForm>().F1BookMain;
    const QString first = QString::fromStdString(
        scorecard.BookText(scorecard::layout::kSetup, scorecard::layout::setup::kFirstYearRow,
                           scorecard::layout::setup::kHistoryCol));
    const QStringList years = HistoryYears(static_cast<int>(leadingNumber(first)), QDate::currentDate().year());
    ComboStartYear->addItems(years);
    ComboStartYear->setCurrentIndex(int(years.size()) - 1);
}

void DataForm::Doloaddata()
{
    using namespace scorecard::layout;
    WorkbookControl& scorecard = *form<SpreadForm>().F1BookMain;
    scorecard.setCurrentSheet(kHistory);
    std::vector<std::string> actuals;
    for (int j = 0; j < kLoadedMonths; ++j)
        actuals.push_back(scorecard.SheetText(history::actualRow(j), history::kpiCol(1)));
    // Numbers stay numbers in the saved workbook; anything else is kept as text.
    workbook::Book& book = F1BookData->book();
    for (int j = 0; j < kLoadedMonths; ++j) {
        const std::string& text = actuals[static_cast<std::size_t>(j)];
        if (auto number = workbook::parseNumberText(text))
            book.setSheetNumber(kActualsRow, kFirstMonthCol + j, *number);
        else
            book.setSheetText(kActualsRow, kFirstMonthCol + j, text);
    }
}

void DataForm::cmdImport_Click() { MnuFilesaveas_Click(); }

std::int32_t DataForm::MnuFilesaveas_Click()
{
    try {
        workbook::FileChoice choice;
        choice.name = F1BookData->BookFileName();
        choice.type = workbook::kFileNative;
        F1BookData->SaveDialog("Save current scorecard information", choice);
        if (IsSamplePath(QString::fromStdString(choice.name))) {
            ui::MsgBox(QStringLiteral("You can not overwrite your sample file."), ui::OKOnly | ui::Critical);
            return 0;
        }
        F1BookData->WriteBookAs(choice.name, choice.type);
        F1BookData->setBookCaption(choice.name);
        setWindowTitle(QString::fromStdString(choice.name));
        F1BookData->setHostTag(std::to_string(choice.type));
        return 1;
    } catch (const RuntimeError& e) {
        // A cancelled dialog writes nothing and says nothing.
        if (e.number() != workbook::kErrDialogCancelled)
            ui::showFailure(e, QStringLiteral("Error "), kSavingProblem);
        return 0;
    }
}

void SpreadForm::ShowDataForm() { form<DataForm>().Show(); }

}
