#include "numerics/CalendarDate.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

using namespace std::chrono;

constexpr std::int64_t MsPerDay = 86400000;

sys_days epoch() { return sys_days{year{1899} / December / 30}; }

} // namespace

std::int64_t DayNumber(double value) {
    const double v = std::isnan(value) ? 0.0 : std::clamp(value, FirstDateValue, LastDateValue + 1);
    return static_cast<std::int64_t>(std::floor(v));
}

TDateParts DecodeDateTime(double value) {
    const double v = std::isnan(value) ? 0.0 : std::clamp(value, FirstDateValue, LastDateValue + 0.99999999);
    // In range the product is below 3e14, well inside 64 bits.
    std::int64_t total = static_cast<std::int64_t>(std::nearbyint(v * static_cast<double>(MsPerDay)));
    std::int64_t dayNumber = total / MsPerDay;
    std::int64_t ms = total % MsPerDay;
    if (ms < 0) {
        ms += MsPerDay;
        --dayNumber;
    }
    const year_month_day ymd{epoch() + days{dayNumber}};
    TDateParts p;
    p.Year = static_cast<int>(ymd.year());
    p.Month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    p.Day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    p.Hour = static_cast<int>(ms / 3600000);
    p.Minute = static_cast<int>(ms / 60000 % 60);
    p.Second = static_cast<int>(ms / 1000 % 60);
    p.Millisecond = static_cast<int>(ms % 1000);
    return p;
}

double EncodeDate(int y, int m, int d) {
    // Normalise the month first so that month 13 is January of the next year.
    const int zeroBased = m - 1;
    const int carry = zeroBased >= 0 ? zeroBased / 12 : -((11 - zeroBased) / 12);
    const int month = zeroBased - carry * 12 + 1;
    const sys_days first{year{y + carry} / static_cast<unsigned>(month) / 1};
    return static_cast<double>((first - epoch()).count() + (d - 1));
}
