// Dates of binary history and index files that no calendar holds (a damaged
// file, found by fuzzing dizakt.<i>): formatting them converted a huge or
// NaN day count to an integer, which is undefined.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/dates.h"
#include "results/deactivation.h"

namespace rw {
namespace {

TEST(HardeningDates, DatesOutsideTheCalendarShowAsZeros) {
    for (double v : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity(), -2.2172e169, 1e300, -693594.0, 2958466.0}) {
        EXPECT_EQ(FormatDateShort(v), "00.00.00") << v;
        EXPECT_EQ(FormatDateLong(v), "00.00.0000") << v;
    }
    // The first and the last day of the calendar are still dates.
    EXPECT_EQ(FormatDateLong(-693593.0), "01.01.0001");
    EXPECT_EQ(FormatDateLong(2958465.5), "31.12.9999");
    EXPECT_EQ(FormatDateLong(EncodeDate(2009, 9, 1)), "01.09.2009");
}

TEST(HardeningDates, DamagedHistoryGivesLabelsForEveryPoint) {
    // The fuzzer's input: 48 bytes, three points with huge dates.
    const unsigned char bytes[] = {0x00, 0x00, 0x00, 0x00, 0x00, 0x0b, 0xe3, 0x40, 0x7b, 0x14, 0xae, 0xae,
                                   0x47, 0xe1, 0x7a, 0x84, 0x3f, 0x00, 0x00, 0x00, 0x00, 0x80, 0x17, 0xe3,
                                   0x40, 0x9a, 0x99, 0x84, 0x3f, 0x00, 0x00, 0x00, 0x00, 0x80, 0x17, 0xe3,
                                   0x40, 0x9a, 0x99, 0x99, 0x99, 0x99, 0x99, 0x89, 0x00, 0x00, 0x00, 0xbf};
    const auto points = DecodeDeactivationHistory(std::string_view(reinterpret_cast<const char*>(bytes), sizeof bytes));
    ASSERT_EQ(points.size(), 3u);
    for (const auto& p : points) EXPECT_EQ(FormatDateShort(p.date).size(), 8u);
}

}  // namespace
}  // namespace rw
