#pragma once
#include <string>

// A local date and time to the second, as a timestamp column holds it.
struct CDbTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;

    static CDbTime Now();
    // "YYYY-MM-DD HH:MM:SS"
    std::string Format() const;
    // As strftime formats it in the C locale ("%d/%m/%Y", "%a %d %b %Y", ...).
    std::string Format(const char* pattern) const;

    bool operator==(const CDbTime& o) const {
        return year == o.year && month == o.month && day == o.day && hour == o.hour &&
               minute == o.minute && second == o.second;
    }
    bool operator!=(const CDbTime& o) const { return !(*this == o); }
};
