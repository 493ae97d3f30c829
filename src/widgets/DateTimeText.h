#pragma once
// Writing a date-time value (days since 30 December 1899, the time of day as the fraction;
// a negative value is the instant it denotes)
// with a pattern of the layouts' pattern language: yyyy yy, mmmm mmm mm m (minutes right
// after an hour), dddd ddd dd d, hh h, nn n, ss s, zzz, am/pm, and quoted literal text.

#include <QString>

#include <optional>

// Nothing for values outside 1 January 0001 .. 31 December 9999 or not finite. Month and
// day names come from the default locale.
std::optional<QString> FormatDateTimeValue(double value, const QString& pattern);
