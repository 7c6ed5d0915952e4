#include "scorecard/window/form_options.h"

#include "common/layout/scorecard_layout.h"
#include "platform/runtime/app.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"
#include "platform/workbook/view/workbook_control.h"
#include "scorecard/window/month_start.h"
#include "scorecard/window/spread_form.h"
#include "scorecard/window/window_placement.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <cmath>

namespace ks {

using namespace scorecard::layout;

namespace {

const QStringList kMonths = {"January", "February", "March",     "April",   "May",      "June",
                             "July",    "August",   "September", "October", "November", "December"};

QStringList years()
{
    QStringList list;
    for (int year = 2000; year <= 2010; ++year)
        list << QString::number(year);
    return list;
}

void fill(QComboBox* box, const QStringList& items)
{
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(0);
}

QComboBox* dateList(QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

QLabel* heading(const QString& text)
{
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QLabel* explanation(const QString& text)
{
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

void inform(const QString& text) { ui::MsgBox(text, ui::OKOnly | ui::Information, App::title()); }

WorkbookControl& scorecardBook() { return *form<SpreadForm>().F1BookMain; }

std::string text(const QComboBox* box) { return box->currentText().toStdString(); }

// A stored number taken as a whole number, as a list index is.
int wholeNumber(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > 32767)
        throw RuntimeError(6, "Overflow");
    return static_cast<int>(std::nearbyint(value));
}

}

FormOptions::FormOptions() : Form(QStringLiteral("FormOptions"))
{
    setWindowTitle(QStringLiteral("Options"));
    ComboFYMonth = dateList(this);
    ComboFYYear = dateList(this);
    ComboHDMonth = dateList(this);
    ComboHDYear = dateList(this);
    ComboHDMonth->hide();
    ComboHDYear->hide();
    ComboVariance = new QComboBox(this);
    CommandOK = new QPushButton(QStringLiteral("&OK"), this);
    CommandOK->setDefault(true);
    CommandCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    Picture1 = new QToolButton(this);
    Picture1->setIcon(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning));
    Picture1->setIconSize(QSize(24, 24));
    Picture1->setToolTip(QStringLiteral("Change the start of your historical data"));

    auto* grid = new QGridLayout(this);
    grid->setColumnStretch(2, 1);
    grid->addWidget(heading(QStringLiteral("Financial Year")), 0, 0, 1, 4);
    grid->addWidget(explanation(QStringLiteral("What is the starting month of your financial year? This will "
                                               "affect your year to date calculations.")),
                    1, 0, 1, 4);
    grid->addWidget(ComboFYMonth, 2, 0);
    grid->addWidget(ComboFYYear, 2, 1);
    grid->addWidget(heading(QStringLiteral("Historical Data")), 3, 0, 1, 4);
    grid->addWidget(explanation(QStringLiteral("What is the starting year and month of your historical data?")), 4, 0,
                    1, 4);
    grid->addWidget(ComboHDMonth, 5, 0);
    grid->addWidget(ComboHDYear, 5, 1);
    grid->addWidget(Picture1, 5, 2, Qt::AlignLeft);
    grid->addWidget(heading(QStringLiteral("Terminology")), 6, 0, 1, 4);
    grid->addWidget(explanation(QStringLiteral(
                        "Do you wish to see the % of target that you achieved or the variance. i.e. If you had a "
                        "target of 100 and you achieved 100 then the % of target would equate to 100% but variance "
                        "would equal 0%")),
                    7, 0, 1, 4);
    grid->addWidget(ComboVariance, 8, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(CommandOK);
    buttons->addWidget(CommandCancel);
    grid->addLayout(buttons, 9, 0, 1, 4);
    setFixedWidth(460);

    QObject::connect(CommandOK, &QPushButton::clicked, this, [this] { CommandOK_Click(); });
    QObject::connect(CommandCancel, &QPushButton::clicked, this, [this] { CommandCancel_Click(); });
    QObject::connect(Picture1, &QToolButton::clicked, this, [this] { Picture1_Click(); });
}

void FormOptions::fillLists()
{
    fill(ComboFYMonth, kMonths);
    fill(ComboHDMonth, kMonths);
    fill(ComboHDYear, years());
    fill(ComboFYYear, years());
    fill(ComboVariance, {QStringLiteral("% of target"), QStringLiteral("Variance")});
}

void FormOptions::Form_Load()
{
    try {
        fillLists();
        GetOptionsInfo();
        adjustSize();
        const SpreadForm& scorecard = form<SpreadForm>();
        placeOverScorecard(*this, scorecard, scorecard.frameGeometry().height());
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "optionsFormLoadErr");
    }
}

void FormOptions::GetOptionsInfo()
{
    try {
        const WorkbookControl& book = scorecardBook();
        ComboFYMonth->setCurrentText(QString::fromStdString(book.BookText(kSetup, setup::kFyMonthRow, setup::kFyMonthCol)));
        ComboFYYear->setCurrentText(QString::fromStdString(book.BookText(kSetup, setup::kFyYearRow, setup::kFyYearCol)));
        ComboHDMonth->setCurrentText(
            QString::fromStdString(book.BookText(kSetup, setup::kHistoryMonthRow, setup::kHistoryCol)));
        ComboHDYear->setCurrentText(
            QString::fromStdString(book.BookText(kSetup, setup::kHistoryYearRow, setup::kHistoryCol)));
        const int variance = wholeNumber(book.BookNumber(kSetup, setup::kVarianceRow, setup::kVarianceCol));
        if (variance < 0 || variance >= ComboVariance->count())
            throw RuntimeError(380, "Invalid property value");
        ComboVariance->setCurrentIndex(variance);
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "getoptioninfoErr");
    }
}

bool FormOptions::refuseDates()
{
    const WorkbookControl& book = scorecardBook();
    const std::string currentMonth = book.BookText(kMonthView, month::kMonthTextRow, month::kSelectedTextCol);
    const std::string currentYear = book.BookText(kMonthView, month::kYearTextRow, month::kSelectedTextCol);
    const auto current = monthStart(currentMonth, currentYear);
    const auto financial = monthStart(text(ComboFYMonth), text(ComboFYYear));
    const auto history = monthStart(text(ComboHDMonth), text(ComboHDYear));
    // A date that cannot be formed stores nothing and leaves the lists as typed, to be corrected.
    auto named = [](const QComboBox* m, const QComboBox* y) { return m->currentText() + "-" + y->currentText(); };
    if (!current) {
        inform(" The current month of the DATA module, " + QString::fromStdString(currentMonth + "-" + currentYear)
               + ", is not a month and year. Go to the DATA module and choose the month in the dropdown box.");
        return true;
    }
    if (!financial) {
        inform(" The Financial Year start date " + named(ComboFYMonth, ComboFYYear)
               + " is not a month and year. Choose a month and a year from the lists.");
        return true;
    }
    if (!history) {
        inform(" The start date for your historical data " + named(ComboHDMonth, ComboHDYear)
               + " is not a month and year. Choose a month and a year from the lists.");
        return true;
    }
    QString refusal;
    if (*financial < *history)
        refusal = " The Financial Year start date can not be less than the start date for your historical data";
    else if (*current < *financial)
        refusal = " The Financial Year start date can not be greater than the current date. The current date is the "
                  "active month that is showing in the DATA module. This is currently showing: "
                  + QString::fromStdString(currentMonth) + "-" + QString::fromStdString(currentYear)
                  + ". If this is not the current month, then go to the DATA module, change the month selected in the "
                    "dropdown box and the current month will be updated.";
    else if (*current < *history)
        refusal = " The Current date in the data sheet can not be less than the start date for your historical data";
    if (refusal.isEmpty())
        return false;
    inform(refusal);
    GetOptionsInfo();
    return true;
}

void FormOptions::storeOptions()
{
    WorkbookControl& book = scorecardBook();
    book.setBookText(kSetup, setup::kFyMonthRow, setup::kFyMonthCol, text(ComboFYMonth));
    book.setBookText(kSetup, setup::kFyYearRow, setup::kFyYearCol, text(ComboFYYear));
    book.setBookText(kSetup, setup::kHistoryMonthRow, setup::kHistoryCol, text(ComboHDMonth));
    book.setBookText(kSetup, setup::kHistoryYearRow, setup::kHistoryCol, text(ComboHDYear));
    book.setBookNumber(kSetup, setup::kVarianceRow, setup::kVarianceCol, ComboVariance->currentIndex());
}

void FormOptions::CommandOK_Click()
{
    try {
        if (refuseDates())
            return;
        storeOptions();
        Unload();
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "optionsUnloadErr");
    }
}

void FormOptions::CommandCancel_Click() { Unload(); }

void FormOptions::Picture1_Click()
{
    inform("Do not change this date if you have already entered any data into the program.\r\n Changing this date "
           "will displace any data that you already have entered.");
    ComboHDMonth->show();
    ComboHDYear->show();
}

void FormOptions::Form_Unload(int&)
{
    try {
        ComboHDMonth->hide();
        ComboHDYear->hide();
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "optionsFormLoadErr");
    }
}

void FormOptions::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    if (isLoaded())
        Form_Resize();
}

void FormOptions::Form_Resize()
{
    const SpreadForm& scorecard = form<SpreadForm>();
    placeBelowScorecardTop(*this, scorecard, scorecard.frameGeometry().height());
}

}
