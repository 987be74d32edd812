#include "simconnect/api_calls.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/plugin_simconnect_messages.h"
#include "core/simconnect_client_rig.h"
#include "simconnect/status_codes.h"

namespace ulvo::simconnect {
namespace {

using testbed::Bytes;
using testbed::ClientRig;

TEST(SimConnectCalls, WriteTheirMessagesOneAtATimeInCallOrder) {
    ClientRig rig;
    ASSERT_EQ(rig.Open(), kOk);
    void* handle = rig.handles.back();
    ProcessState& process = rig.process;
    // The ground services' set-up, made while no write may complete.
    rig.platform.holdCompletions = true;
    const char* events[] = {"TOGGLE_AIRCRAFT_EXIT", "TOGGLE_PUSHBACK", "SELECT_1", "SELECT_2",
                            "SELECT_3"};
    for (uint32_t id = 0; id < 5; ++id) {
        EXPECT_EQ(CallClient(process, handle, kMapClientEventToSimEventLayout, {id, events[id]}),
                  kOk);
    }
    for (const char* datum : {"EXIT OPEN:0", "EXIT OPEN:1", "EXIT OPEN:2", "PLANE ALTITUDE"}) {
        const char* units = datum[0] == 'E' ? "percent over 100" : "feet";
        EXPECT_EQ(CallClient(process, handle, kAddToDataDefinitionLayout,
                             {0u, datum, units, 4u, 0.0f, 0xFFFFFFFFu}),
                  kOk);
    }
    EXPECT_EQ(CallClient(process, handle, kRequestDataOnSimObjectLayout,
                         {0u, 0u, 0u, 4u, 1u, 0u, 0u, 0u}),
              kOk);
    EXPECT_EQ(rig.Server().writes.size(), 2u);  // the rest wait for the write in flight
    rig.platform.holdCompletions = false;
    rig.platform.RunCompletions();
    EXPECT_EQ(rig.Server().writes, testbed::expected::SetUpMessages());
    EXPECT_EQ(rig.Client().WritesStarted(), 11u);
    // A refused message still uses its send id (12); the next one is 13.
    EXPECT_EQ(CallClient(process, handle, kMapClientEventToSimEventLayout,
                         {0u, std::string(256, 'x').c_str()}),
              kNameTooLong);
    EXPECT_EQ(rig.Transmit(2), kOk);
    EXPECT_EQ(rig.Server().writes.back(), testbed::expected::TransmitClientEvent(13, 2));
}

int32_t TransmitOn(ClientRig& rig, void* handle) {
    return CallClient(rig.process, handle, kTransmitClientEventLayout, {0u, 0u, 0u, 1u, 0x10u});
}

TEST(SimConnectCalls, ResultCodes) {
    struct Case {
        const char* name;
        std::function<int32_t(ClientRig&)> call;
        int32_t result;
        uint32_t attempts = 0;  // clients the call created (a failed open destroys them)
    };
    int notAClient = 0;
    void* unused = nullptr;
    const Case cases[] = {
        {"null handle", [](ClientRig& rig) { return TransmitOn(rig, nullptr); }, kFail},
        {"no client's handle",
         [&](ClientRig& rig) { return CloseClient(rig.process, &notAClient); }, kFail},
        {"closed handle",
         [](ClientRig& rig) {
             CloseClient(rig.process, rig.handles[0]);
             return TransmitOn(rig, rig.handles[0]);
         },
         kFail},
        {"dispatch without procedure",
         [](ClientRig& rig) { return SimConnect_CallDispatch(rig.handles[0], nullptr, nullptr); },
         kFail},
        {"dispatch with the simulator's marker",
         [](ClientRig& rig) {
             return SimConnect_CallDispatch(rig.handles[0], AllClientsProc(), {});
         },
         kInvalidArgument},
        {"open without handle",
         [](ClientRig& rig) { return OpenClient(rig.process, nullptr, "name", {}, 0); },
         kInvalidArgument},
        {"open without name",
         [&](ClientRig& rig) { return OpenClient(rig.process, &unused, nullptr, {}, 0); },
         kInvalidArgument},
        {"open of a missing section", [](ClientRig& rig) { return rig.Open({}, 3); },
         kInvalidArgument},
        {"open without a pipe",
         [](ClientRig& rig) {
             rig.platform.pipes.clear();
             return rig.Open();
         },
         kFail, 4},
    };
    for (const Case& c : cases) {
        ClientRig rig;
        ASSERT_EQ(rig.Open(), kOk);
        const uint32_t created = rig.process.clientsCreated.load();
        EXPECT_EQ(c.call(rig), c.result) << c.name;
        rig.platform.RunCompletions();
        EXPECT_EQ(rig.platform.ends[0]->writes.size(), 1u) << c.name;  // the open message only
        EXPECT_EQ(rig.process.clientsCreated.load() - created, c.attempts) << c.name;
    }
}

TEST(SimConnectClose, WaitsAndStopsTheSocketLibraryAfterTheLastClient) {
    struct Case {
        const char* name;
        bool socket;
        bool ioHangs;
        int socketStops;
    };
    const Case cases[] = {
        {"pipe", false, false, 0},
        {"socket", true, false, 1},
        // The client lives on until its read completes, so it is not yet the last.
        {"socket whose read does not complete", true, true, 0},
    };
    for (const Case& c : cases) {
        ClientRig rig;
        if (c.socket) {
            rig.platform.ServeSocketOnly();
        }
        ASSERT_EQ(rig.Open(), kOk) << c.name;
        rig.platform.sleeps.clear();
        rig.platform.holdCompletions = c.ioHangs;
        EXPECT_EQ(CloseClient(rig.process, rig.handles[0]), kOk);
        EXPECT_EQ(rig.platform.sleeps, (std::vector<uint32_t>{100, 250})) << c.name;
        EXPECT_EQ(rig.platform.socketStops, c.socketStops) << c.name;
        EXPECT_EQ(rig.process.liveConnections.load(), c.ioHangs ? 1u : 0u) << c.name;
        rig.platform.holdCompletions = false;
        rig.platform.RunCompletions();
        EXPECT_EQ(rig.process.liveConnections.load(), 0u) << c.name;
    }
}

}  // namespace
}  // namespace ulvo::simconnect
