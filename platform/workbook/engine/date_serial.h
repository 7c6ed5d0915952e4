#pragma once
// Dates as day numbers counted from 1899-12-30, as spreadsheets keep them.
namespace ks::workbook {

struct CivilDate {
    int year, month, day;
};

// Month and day may overflow either way; they roll into the year and month.
double dateSerial(int year, int month, int day);
CivilDate civilFromSerial(double serial);
// 0 Sunday .. 6 Saturday.
int weekdayOfSerial(double serial);
// The local calendar date of today.
double todaySerial();

}
