#include "platform/workbook/engine/date_serial.h"

#include <cmath>
#include <ctime>

namespace ks::workbook {

namespace {
// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
long long daysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

constexpr long long kEpochFrom1970 = -25569;  // 1899-12-30
}

double dateSerial(int year, int month, int day)
{
    long long m0 = static_cast<long long>(month) - 1;
    long long y = year + (m0 >= 0 ? m0 / 12 : -((11 - m0) / 12));
    long long m = ((m0 % 12) + 12) % 12 + 1;
    return static_cast<double>(daysFromCivil(y, static_cast<unsigned>(m), 1) - kEpochFrom1970 + day - 1);
}

CivilDate civilFromSerial(double serial)
{
    long long z = static_cast<long long>(std::floor(serial)) + kEpochFrom1970 + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

int weekdayOfSerial(double serial)
{
    long long days = static_cast<long long>(std::floor(serial));
    return static_cast<int>(((days - 1) % 7 + 7) % 7);  // serial 1 (1899-12-31) was a Sunday
}

double todaySerial()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return dateSerial(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

}
