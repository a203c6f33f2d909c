#include "framework/odbc/DbTime.h"

#include <cstdio>
#include <ctime>

CDbTime CDbTime::Now() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    CDbTime t;
    t.year = local.tm_year + 1900;
    t.month = local.tm_mon + 1;
    t.day = local.tm_mday;
    t.hour = local.tm_hour;
    t.minute = local.tm_min;
    t.second = local.tm_sec;
    return t;
}

std::string CDbTime::Format() const {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour,
                  minute, second);
    return buf;
}

namespace {

// 0 = Sunday, for any date of the Gregorian calendar.
int DayOfWeek(int year, int month, int day) {
    static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3)
        year -= 1;
    const int weekday = (year + year / 4 - year / 100 + year / 400 + offsets[(month + 11) % 12] + day) % 7;
    return weekday < 0 ? weekday + 7 : weekday;
}

}  // namespace

std::string CDbTime::Format(const char* pattern) const {
    // No date (a NULL column) or one no calendar has: nothing to show. Some C
    // libraries stop the program on fields out of range.
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 ||
        hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 61)
        return std::string();
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_wday = DayOfWeek(year, month, day);
    char buf[128];
    const size_t length = std::strftime(buf, sizeof buf, pattern, &t);
    return std::string(buf, length);
}
