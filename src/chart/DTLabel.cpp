#include "chart/DTLabel.h"

TDTLabel::TDTLabel(QObject* owner) : QObject(owner) {}

void TDTLabel::SetOwnerDefaults() {
    timeFormat = tfHHMMSS;
    dateSeparator = '-';
    timeSeparator = ':';
    yearLength = ylYYYY;
    monthName = true;
    dateForTime = dtOnePerDay;
    dateOrder = doDDMMYY;
    changed();
}

void TDTLabel::Assign(const TDTLabel& source) {
    SetTimeFormat(source.timeFormat);
    SetDateSeparator(source.dateSeparator);
    SetTimeSeparator(source.timeSeparator);
    SetYearLength(source.yearLength);
    SetMonthName(source.monthName);
    SetDateOrder(source.dateOrder);
    SetDateForTime(source.dateForTime);
}

void TDTLabel::SetTimeFormat(TTimeFormat value) {
    timeFormat = value;
    changed();
}

void TDTLabel::SetDateSeparator(char value) {
    if (value != dateSeparator) {
        dateSeparator = value;
        changed();
    }
}

void TDTLabel::SetTimeSeparator(char value) {
    if (value != timeSeparator) {
        timeSeparator = value;
        changed();
    }
}

void TDTLabel::SetYearLength(TYearLength value) {
    if (value != yearLength) {
        yearLength = value;
        changed();
    }
}

void TDTLabel::SetMonthName(bool value) {
    if (value != monthName) {
        monthName = value;
        changed();
    }
}

void TDTLabel::SetDateOrder(TDateOrder value) {
    dateOrder = value;
    changed();
}

void TDTLabel::SetDateForTime(TDateForTime value) {
    if (value != dateForTime) {
        dateForTime = value;
        changed();
    }
}
