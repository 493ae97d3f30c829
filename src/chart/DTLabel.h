#pragma once
// TDTLabel, the format of date and time labels that a scale or a scale-property object owns.
// It has no defaults of its own: every owner sets them with SetOwnerDefaults.

#include "chart/ChartEvents.h"
#include "chart/ChartTypes.h"

#include <QObject>

class TDTLabel : public QObject {
    Q_OBJECT
    Q_PROPERTY(TTimeFormat TimeFormat READ TimeFormat WRITE SetTimeFormat)
    Q_PROPERTY(char DateSeparator READ DateSeparator WRITE SetDateSeparator)
    Q_PROPERTY(char TimeSeparator READ TimeSeparator WRITE SetTimeSeparator)
    Q_PROPERTY(TYearLength YearLength READ YearLength WRITE SetYearLength)
    Q_PROPERTY(bool MonthName READ MonthName WRITE SetMonthName)
    Q_PROPERTY(TDateOrder DateOrder READ DateOrder WRITE SetDateOrder)
    Q_PROPERTY(TDateForTime DateForTime READ DateForTime WRITE SetDateForTime)

public:
    explicit TDTLabel(QObject* owner = nullptr);

    // The settings every owner gives its format: tfHHMMSS, '-', ':', ylYYYY, month names,
    // dtOnePerDay, doDDMMYY. Notifies once.
    void SetOwnerDefaults();
    // Copies the seven settings of another format, notifying as the setters do.
    void Assign(const TDTLabel& source);

    TTimeFormat TimeFormat() const { return timeFormat; }
    void SetTimeFormat(TTimeFormat value); // always notifies
    char DateSeparator() const { return dateSeparator; }
    void SetDateSeparator(char value);
    char TimeSeparator() const { return timeSeparator; }
    void SetTimeSeparator(char value);
    TYearLength YearLength() const { return yearLength; }
    void SetYearLength(TYearLength value);
    bool MonthName() const { return monthName; }
    void SetMonthName(bool value);
    TDateOrder DateOrder() const { return dateOrder; }
    void SetDateOrder(TDateOrder value); // always notifies
    TDateForTime DateForTime() const { return dateForTime; }
    void SetDateForTime(TDateForTime value);

    TNotifyEvent OnChange;

private:
    void changed() { Fire(OnChange, this); }

    TTimeFormat timeFormat = tfHHMMSS;
    char dateSeparator = '-';
    char timeSeparator = ':';
    TYearLength yearLength = ylYYYY;
    bool monthName = true;
    TDateOrder dateOrder = doDDMMYY;
    TDateForTime dateForTime = dtOnePerDay;
};
