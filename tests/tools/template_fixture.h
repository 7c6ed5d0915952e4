#pragma once
// A scorecard made from the generated template as the program makes one: written to a
// file and read back, with an injected today and the program's writes as helpers.
#include "tools/scorecard_files/scorecard_files.h"
#include "tools/scorecard_files/template_cells.h"

#include "platform/workbook/engine/date_serial.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <optional>

namespace ks::test {

using namespace ks::scorecard::layout;
using ks::workbook::dateSerial;

class TemplateTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = new TempDir;
        workbook::Book fresh;
        scorecard::files::buildTemplate(fresh, 2024);
        fresh.WriteBookFile(path(), workbook::kFileNative);
    }
    static void TearDownTestSuite()
    {
        delete folder_;
        folder_ = nullptr;
    }
    static std::string path() { return (folder_->path() / "newxx2.tem").string(); }

    void SetUp() override
    {
        book.ReadBookFile(path());
        today(2024, 1, 15);
    }

    void today(int year, int month, int day)
    {
        double serial = dateSerial(year, month, day);
        book.setClock([serial] { return serial; });
    }
    // The options window's history-start and financial-year cells.
    void historyStart(const std::string& month, int year)
    {
        book.setBookText(kSetup, setup::kHistoryMonthRow, setup::kHistoryCol, month);
        book.setBookText(kSetup, setup::kHistoryYearRow, setup::kHistoryCol, std::to_string(year));
    }
    void financialYear(const std::string& month, int year)
    {
        book.setBookText(kSetup, setup::kFyMonthRow, setup::kFyMonthCol, month);
        book.setBookText(kSetup, setup::kFyYearRow, setup::kFyYearCol, std::to_string(year));
    }
    // The month and year lists, as the program selects them.
    void select(int year, int month)
    {
        book.setListSelection(month::kMonthListId, month - 1);
        book.setListSelection(month::kYearListId, year % 10);
    }
    // What a value edit copies into the history: the selected month's actual or target line.
    void enter(int k, double actual, std::optional<double> target = std::nullopt)
    {
        int line = static_cast<int>(book.BookNumber(kHistory, history::kMonthLineRow, history::kMonthLineCol));
        book.setBookNumber(kHistory, line, history::kpiCol(k), actual);
        if (target)
            book.setBookNumber(kHistory, line + 1, history::kpiCol(k), *target);
    }
    double monthRating(int k) { return book.BookNumber(kMonthView, month::ratingRow(k), month::kMonthRatingCol); }
    double ytdRating(int k) { return book.BookNumber(kMonthView, month::ratingRow(k), month::kYtdRatingCol); }
    double ratio(int k) { return book.BookNumber(kMonthView, month::kpiRow(k), month::kRatioCol); }
    double welcome(int row) { return book.BookNumber(kSetup, row, setup::kWelcomeCol); }

    workbook::Book book;

private:
    static inline TempDir* folder_ = nullptr;
};

}
