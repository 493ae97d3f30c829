// A numeric label's date-time text through the widgets' formatter, which takes month names
// from the locale.

#include "numerics/CalendarDate.h"
#include "widgets/DateTimeText.h"
#include "widgets/NumLabText.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <optional>
#include <string>

TEST(NumLabText, DateTimeYearsKeepFourDigits) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TNumLabFormat f;
    f.DisplayType = dtDateTime;
    f.FormatDateTime = [](double v, const std::string& p) -> std::optional<std::string> {
        const auto t = FormatDateTimeValue(v, QString::fromStdString(p));
        return t ? std::optional<std::string>(t->toStdString()) : std::nullopt;
    };
    f.Value = FirstDateValue; // 1 January 0001
    EXPECT_EQ(NumLabValueText(f), "Jan-01, 0001");
    f.DTFormat = "dd.mm.yyyy";
    EXPECT_EQ(NumLabValueText(f), "01.01.0001");
    f.DTFormat = "yyyy-mm-dd hh:nn:ss";
    f.Value = EncodeDate(987, 6, 5) + 0.75;
    EXPECT_EQ(NumLabValueText(f), "0987-06-05 18:00:00");
    f.DTFormat = "yy/yyyy";
    EXPECT_EQ(NumLabValueText(f), "87/0987");
    f.Value = EncodeDate(2023, 3, 15);
    EXPECT_EQ(NumLabValueText(f), "23/2023");
}
