#include "simconnect/simconnect_packet.h"

#include <gtest/gtest.h>

#include <memory>

namespace ulvo::simconnect {
namespace {

TEST(SimConnectPacket, HostBuffersAreNeverFreedWithThePacket) {
    uint8_t hostBuffer[16] = {1, 2, 3};
    SimConnectPacket* packet = SimConnectPacket::WrapHostBuffer(hostBuffer, 16, 3);
    EXPECT_TRUE(packet->FromHost());
    EXPECT_EQ(packet->TakeData(), nullptr);
    packet->AddRef();
    packet->Release();
    packet->Release();  // ASan would report freeing the stack buffer
    EXPECT_EQ(hostBuffer[2], 3);

    auto bytes = std::make_unique<uint8_t[]>(1);
    bytes[0] = 4;
    SimConnectPacket* owned = SimConnectPacket::Create(std::move(bytes), 1, 5);
    std::unique_ptr<uint8_t[]> data = owned->TakeData();
    EXPECT_EQ(data[0], 4);
    EXPECT_EQ(owned->Data(), nullptr);
    owned->Release();
}

}  // namespace
}  // namespace ulvo::simconnect
