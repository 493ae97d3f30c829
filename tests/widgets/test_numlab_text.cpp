// The text of a value in each notation, with the separator and plus-sign rules.

#include "numerics/EMathError.h"
#include "numerics/Log10.h"
#include "widgets/NumLabText.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::string text(double v, TDisplay d, int p, bool comma = false, bool plus = false) {
    TNumLabFormat f;
    f.Value = v;
    f.DisplayType = d;
    f.Precision = p;
    f.Comma = comma;
    f.ForcePlusSign = plus;
    return NumLabValueText(f).value_or("<overflow>");
}

} // namespace

TEST(NumLabText, FixedWithSeparatorAndSign) {
    EXPECT_EQ(text(1234.5, dtFixP, 2), "1234.50");
    EXPECT_EQ(text(1234.5, dtFixP, 2, true), "1234,50");
    EXPECT_EQ(text(1234.5, dtFixP, 2, false, true), "+1234.50");
    EXPECT_EQ(text(0, dtFixP, 2, false, true), "0.00");
    EXPECT_EQ(text(-3.25, dtFixP, 2, false, true), "-3.25");
    EXPECT_EQ(text(7.5, dtFixP, 0), "8");
    EXPECT_EQ(text(NAN, dtFixP, 2), "<overflow>");
    EXPECT_EQ(text(INFINITY, dtInt, 2), "<overflow>");
}

TEST(NumLabText, GeneralAndExponential) {
    EXPECT_EQ(text(1234.5, dtFloat, 6), "1234.5");
    EXPECT_EQ(text(1234.5, dtFloat, 3), "1.23E+003");
    EXPECT_EQ(text(0.00012345, dtFloat, 3), "0.000123");
    EXPECT_EQ(text(0.000012345, dtFloat, 3), "1.23E-005");
    EXPECT_EQ(text(100, dtFloat, 3), "100");
    EXPECT_EQ(text(2.5, dtFloat, 0), "2.5"); // fewer than 2 digits count as 2
    EXPECT_EQ(text(0, dtFloat, 5), "0");
    EXPECT_EQ(text(1e300, dtFloat, 4), "1E+300");
    EXPECT_EQ(text(1234.5, dtExp, 4), "1.234E+003"); // 1.2345 to four digits, halves to even
    EXPECT_EQ(text(-0.00015, dtExp, 2), "-1.5E-004");
    EXPECT_EQ(text(6.02e23, dtExp, 1), "6.0E+023");
    EXPECT_EQ(text(1.5, dtExp, 3, true), "1,50E+000");
}

TEST(NumLabText, IntegerNotationsAndTheirRanges) {
    EXPECT_EQ(text(255, dtHex, 4), "00FF");
    EXPECT_EQ(text(70000, dtHex, 4), "1170");
    EXPECT_EQ(text(-1, dtHex, 4), "FFFF");
    EXPECT_EQ(text(5e9, dtHex, 4), "<overflow>");
    EXPECT_EQ(text(255.5, dtHex, 12, true, true), "00000100"); // no sign, at most 8 digits
    EXPECT_EQ(text(42, dtZeroInt, 5), "00042");
    EXPECT_EQ(text(-42, dtZeroInt, 5), "-00042");
    EXPECT_EQ(text(3e9, dtZeroInt, 5), "<overflow>");
    EXPECT_EQ(text(2.5, dtInt, 0), "2");
    EXPECT_EQ(text(-1e15, dtInt, 0), "-1000000000000000");
    EXPECT_EQ(text(5, dtBin, 8), "00000101");
    EXPECT_EQ(text(5, dtBin, 0), "");
    EXPECT_EQ(text(-1, dtBin, 40), std::string(32, '1'));
    EXPECT_EQ(text(8, dtOct, 12), "00000000010");
    EXPECT_EQ(text(-1, dtOct, 12), "37777777777");
    EXPECT_EQ(text(8, dtOct, 2, false, true), "+10");
}

TEST(NumLabText, DegreesAndEngineering) {
    EXPECT_EQ(text(10.5, dtDeg, 1), "10.5\xC2\xB0");
    EXPECT_EQ(text(10.5, dtDegMin, 2), "10\xC2\xB0 30.00'");
    EXPECT_EQ(text(10.5125, dtDegMinSec, 1), "10\xC2\xB0 30' 45.0\"");
    EXPECT_EQ(text(-0.5, dtDegMin, 2), "-0\xC2\xB0 30.00'"); // the sign is kept
    EXPECT_EQ(text(2.999999999999, dtDegMin, 0), "3\xC2\xB0   0'"); // snapped to 3
    EXPECT_EQ(text(12345, dtEEng, 3), "12.3k");
    EXPECT_EQ(text(0.5, dtEEng, 3), "500m");
    EXPECT_EQ(text(0, dtEEng, 3), "0.00");
    EXPECT_EQ(text(-0.002, dtEEng, 3), "-2.00m");
    EXPECT_EQ(text(12345, dtEEngNoDP, 3), "12k3");
    EXPECT_EQ(text(4.7e-9, dtEEngNoDP, 2), "4n7");
    EXPECT_EQ(text(1e20, dtEEng, 3), "100000000T");
    EXPECT_EQ(text(1e-300, dtEEng, 1).substr(0, 4), "0.00");
    EXPECT_THROW(Log10(0), EMathError);
    EXPECT_THROW(Log10(-1), EMathError);
    try {
        Log10(NAN);
    } catch (const EMathError& e) {
        EXPECT_STREQ(e.what(), "logarithm: invalid argument");
    }
    EXPECT_DOUBLE_EQ(Log10(1000), 3.0);
}

TEST(NumLabText, DegreesCarryIntoTheNextUnit) {
    const std::string deg = "\xC2\xB0";
    // Minutes or seconds rounded up to 60 are written as 0 with one more of the next unit:
    // exactly what the next whole value shows.
    EXPECT_EQ(text(1.99999999, dtDegMin, 2), "2" + deg + "  0.00'");
    EXPECT_EQ(text(1.99999999, dtDegMin, 2), text(2.0, dtDegMin, 2));
    EXPECT_EQ(text(1.99999999, dtDegMinSec, 2), "2" + deg + "  0'  0.00\"");
    EXPECT_EQ(text(1.99999999, dtDegMinSec, 2), text(2.0, dtDegMinSec, 2));
    EXPECT_EQ(text(-1.99999999, dtDegMin, 2), "-2" + deg + "  0.00'");
    EXPECT_EQ(text(-1.99999999, dtDegMinSec, 2), "-2" + deg + "  0'  0.00\"");
    EXPECT_EQ(text(-0.99999999, dtDegMin, 2), "-1" + deg + "  0.00'");
    // Seconds that carry into the minutes only, at every precision.
    EXPECT_EQ(text(10 + 30 / 60.0 + 59.9999 / 3600, dtDegMinSec, 2), "10" + deg + " 31'  0.00\"");
    EXPECT_EQ(text(10 + 30 / 60.0 + 59.6 / 3600, dtDegMinSec, 0), "10" + deg + " 31'   0\"");
    EXPECT_EQ(text(10 + 59.96 / 60, dtDegMin, 1), "11" + deg + "  0.0'");
    EXPECT_EQ(text(10 + 59.94 / 60, dtDegMin, 1), "10" + deg + " 59.9'"); // no carry
    EXPECT_EQ(text(10 + 59.94 / 60, dtDegMinSec, 1), "10" + deg + " 59' 56.4\"");
    // Just under a whole degree by four tenths of the last written digit.
    for (int q = 0; q <= 8; ++q) {
        const double digit = std::pow(10.0, -q);
        for (const double whole : {1.0, 8.0, -4.0, 360.0}) {
            const double sign = whole < 0 ? -1 : 1;
            const double byMinutes = whole - sign * 0.4 * digit / 60;
            const double bySeconds = whole - sign * 0.4 * digit / 3600;
            EXPECT_EQ(text(byMinutes, dtDegMin, q), text(whole, dtDegMin, q)) << whole << " " << q;
            EXPECT_EQ(text(bySeconds, dtDegMinSec, q), text(whole, dtDegMinSec, q))
                << whole << " " << q;
        }
    }
}

TEST(NumLabText, EngineeringCarriesIntoTheNextPrefix) {
    EXPECT_EQ(text(999.96, dtEEng, 3), "1.00k");
    EXPECT_EQ(text(-999.96, dtEEng, 3), "-1.00k");
    EXPECT_EQ(text(999.96, dtEEngNoDP, 3), "1k00");
    EXPECT_EQ(text(999.4, dtEEng, 3), "999"); // no carry below the rounding edge
    EXPECT_EQ(text(1000, dtEEng, 3), "1.00k");
    EXPECT_EQ(text(999.96, dtEEng, 1), "1k");
    EXPECT_EQ(text(999.99996, dtEEng, 5), "1.0000k");
    EXPECT_EQ(text(999.96, dtEEng, 5), "999.96");
    // Every boundary between two prefixes, both signs and both notations.
    const std::string letters[] = {"a", "f", "p", "n", "u", "m", "", "k", "M", "G", "T"};
    for (int k = -6; k <= 3; ++k) {
        const double v = 999.96 * std::pow(10.0, 3 * k);
        const std::string next = letters[k + 7];
        const std::string below = letters[k + 6];
        EXPECT_EQ(text(v, dtEEng, 3), "1.00" + next) << k;
        EXPECT_EQ(text(-v, dtEEng, 3), "-1.00" + next) << k;
        EXPECT_EQ(text(v, dtEEngNoDP, 3), next.empty() ? "1.00" : "1" + next + "00") << k;
        EXPECT_EQ(text(999.4 * std::pow(10.0, 3 * k), dtEEng, 3), "999" + below) << k;
    }
    // Beyond the largest prefix there is nothing to carry into.
    EXPECT_EQ(text(999.96e12, dtEEng, 3), "1000T");
}

TEST(NumLabText, StateAndDateTime) {
    TNumLabFormat f;
    f.DisplayType = dtState;
    f.StateText = "no data";
    f.ForcePlusSign = true;
    f.Value = 5;
    EXPECT_EQ(NumLabValueText(f), "no data");
    f.DisplayType = dtDateTime;
    EXPECT_EQ(NumLabValueText(f), std::nullopt); // no formatter given
    f.FormatDateTime = [](double v, const std::string& p) {
        return std::optional<std::string>(p + "@" + std::to_string(static_cast<int>(v)) + ".5");
    };
    f.Comma = true;
    EXPECT_EQ(NumLabValueText(f), "mmm-dd, yyyy@5.5"); // no separator rule for dates
}
