#include "core/simconnect_message_text.h"

#include <gtest/gtest.h>

#include "core/plugin_simconnect_messages.h"

namespace ulvo::testbed {
namespace {

TEST(SimConnectMessageText, NamesTheCallAndItsArguments) {
    using Bytes = std::vector<uint8_t>;
    Bytes truncated = expected::TransmitClientEvent(3, 2);
    truncated.pop_back();
    Bytes unknown = expected::RequestDataOnSimObject(4);
    unknown[8] = 0x0D;
    const struct {
        Bytes message;
        const char* text;
    } cases[] = {
        {expected::Open(1, "Ulvo2GSX Simconnect proc"), R"(Open "Ulvo2GSX Simconnect proc")"},
        {expected::MapClientEventToSimEvent(2, 4, "SELECT_3"),
         R"(MapClientEventToSimEvent event 4 "SELECT_3")"},
        {expected::AddToDataDefinition(7, 0, "PLANE ALTITUDE", "feet"),
         R"(AddToDataDefinition definition 0 "PLANE ALTITUDE" in "feet")"},
        {expected::RequestDataOnSimObject(11),
         "RequestDataOnSimObject request 0 definition 0 object 0 period 4 flags 1"},
        {expected::TransmitClientEvent(12, 2),
         "TransmitClientEvent object 0 event 2 data 0 priority 1 flags 16"},
        {truncated, "message 0xF0000005 of 35 bytes"},
        {unknown, "message 0xF000000D of 48 bytes"},
        {Bytes(8, 0), "message of 8 bytes"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SimConnectMessageText(c.message), c.text);
    }
}

}  // namespace
}  // namespace ulvo::testbed
