#include "widgets/DateTimeText.h"

#include "numerics/CalendarDate.h"

#include <QDate>
#include <QLocale>
#include <QTime>

#include <cmath>

namespace {

int runOf(const QString& p, qsizetype i) {
    const QChar c = p[i].toLower();
    qsizetype j = i;
    while (j < p.size() && p[j].toLower() == c) {
        ++j;
    }
    return static_cast<int>(j - i);
}

QString twoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

} // namespace

std::optional<QString> FormatDateTimeValue(double value, const QString& pattern) {
    if (!std::isfinite(value) || value < FirstDateValue || value >= LastDateValue + 1) {
        return std::nullopt;
    }
    // The instant the value denotes: a negative value counts back from the epoch.
    const TDateParts parts = DecodeDateTime(value);
    const QDate date(parts.Year, parts.Month, parts.Day);
    const QTime time(parts.Hour, parts.Minute, parts.Second, parts.Millisecond);
    const QLocale locale;

    QString out;
    bool afterHour = false;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const qsizetype end = pattern.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end;
            out += pattern.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        if (pattern.mid(i, 5).compare(QLatin1String("am/pm"), Qt::CaseInsensitive) == 0) {
            out += time.hour() < 12 ? QStringLiteral("am") : QStringLiteral("pm");
            i += 5;
            continue;
        }
        const int n = runOf(pattern, i);
        const QChar k = c.toLower();
        if (k == QLatin1Char('y')) {
            // yyyy always has four digits: the year 1 is 0001.
            out += n <= 2 ? twoDigits(date.year() % 100)
                          : QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
        } else if (k == QLatin1Char('m') && afterHour && n <= 2) {
            out += n == 2 ? twoDigits(time.minute()) : QString::number(time.minute());
        } else if (k == QLatin1Char('m')) {
            out += n >= 4   ? locale.monthName(date.month(), QLocale::LongFormat)
                   : n == 3 ? locale.monthName(date.month(), QLocale::ShortFormat)
                   : n == 2 ? twoDigits(date.month())
                            : QString::number(date.month());
        } else if (k == QLatin1Char('d')) {
            out += n >= 4   ? locale.dayName(date.dayOfWeek(), QLocale::LongFormat)
                   : n == 3 ? locale.dayName(date.dayOfWeek(), QLocale::ShortFormat)
                   : n == 2 ? twoDigits(date.day())
                            : QString::number(date.day());
        } else if (k == QLatin1Char('h')) {
            out += n >= 2 ? twoDigits(time.hour()) : QString::number(time.hour());
        } else if (k == QLatin1Char('n')) {
            out += n >= 2 ? twoDigits(time.minute()) : QString::number(time.minute());
        } else if (k == QLatin1Char('s')) {
            out += n >= 2 ? twoDigits(time.second()) : QString::number(time.second());
        } else if (k == QLatin1Char('z')) {
            out += QStringLiteral("%1").arg(time.msec(), n >= 3 ? 3 : 1, 10, QLatin1Char('0'));
        } else {
            out += pattern.mid(i, n);
        }
        if (k.isLetter()) {
            afterHour = k == QLatin1Char('h');
        }
        i += n;
    }
    return out;
}
