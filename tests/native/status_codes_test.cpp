#include "simconnect/status_codes.h"

#include <gtest/gtest.h>

namespace ulvo::simconnect {
namespace {

// The system error of a failed start and the status its completion would carry.
TEST(StatusFromSystemError, GivesTheStatusOfTheSameConditionOrTheErrorAsAnHresult) {
    struct Case {
        uint32_t error;
        uint32_t status;
    };
    const Case cases[] = {
        {109, 0xC000014B},    // broken pipe
        {232, 0xC00000B1},    // no data: the pipe is closing
        {233, 0xC00000B0},    // pipe not connected
        {995, 0xC0000120},    // operation aborted: cancelled
        {64, 0xC000013C},     // network name deleted: remote disconnect
        {10053, 0xC0000241},  // connection aborted
        {10054, 0xC000020D},  // connection reset
        {10058, 0xC000013E},  // socket shut down: graceful disconnect
        {10060, 0x8007274C},  // any other error
        {0x12345, 0x80072345},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StatusFromSystemError(c.error), c.status) << c.error;
    }
}

}  // namespace
}  // namespace ulvo::simconnect
