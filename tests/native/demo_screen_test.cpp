#include "core/demo_screen.h"

#include <gtest/gtest.h>

#include "common/little_endian.h"

namespace ulvo::testbed {
namespace {

TEST(DemoScreen, NamesChangedValuesAndSplitsTheLog) {
    tools::BlockSnapshot before, after;
    StoreU16(after.bytes.data() + 0x3A, 12000);  // 0x943A
    after.bytes[0x02] = 0x81;                    // 0x9402
    StoreU16(after.bytes.data(), 0xFFFF);        // 0x9400
    EXPECT_EQ(ChangedValues(before, after),
              (std::vector<std::string>{"0x9400 0 -> idle", "0x9402 00000000 -> 10000001",
                                        "0x943A 0 -> 12000"}));
    EXPECT_TRUE(ChangedValues(after, after).empty());
    EXPECT_EQ(LogLines("Logfile opened\r\nVehicle load detected: "),
              (std::vector<std::string>{"Logfile opened", "Vehicle load detected: "}));
    EXPECT_EQ(LogLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(LogLines("").empty());
    EXPECT_EQ(CommandText(1232, -5), "1232 = -5");
}

}  // namespace
}  // namespace ulvo::testbed
