// LabSession: what front ends do to the lab (its port, and FSUIPC reached from
// this process). Starting, stopping and what happens: lab_session.cpp.
#include <algorithm>
#include <cstring>

#include "aircraft/sdk_blocks.h"
#include "groundservices/ground_services.h"
#include "win/lab_session.h"

namespace ulvo::testbed {

namespace {

// Exchanges the plug-in makes before a write of the lab is in force: the one in
// flight may have copied the aircraft before it, the next may be that cycle's
// second exchange (a command's), the third copied after it.
constexpr uint64_t kExchangesToTakeUp = 3;

AircraftParty::Block BlockOf(tools::AircraftBlock block) {
    return block == tools::AircraftBlock::kSdk2 ? AircraftParty::Block::Sdk2
                                                : AircraftParty::Block::Sdk;
}

}  // namespace

// --- programs in this process ----------------------------------------------------------

void LabSession::FsuipcRead(uint32_t offset, uint32_t size, uint8_t* data) {
    if (uint64_t(offset) + size > FsuipcOffsetSpace::kSize) {
        return;
    }
    testbed.fsuipc->WithSpace(
        [&](FsuipcOffsetSpace& space) { std::copy_n(space.bytes.begin() + offset, size, data); });
}

void LabSession::FsuipcWrite(uint32_t offset, const uint8_t* data, uint32_t size) {
    if (uint64_t(offset) + size > FsuipcOffsetSpace::kSize) {
        return;
    }
    CollectExchanges();  // the plug-in's writes before this one are shown first
    Exchange exchange{Milliseconds(), {}};
    exchange.served.log.writes.push_back({offset, std::vector<uint8_t>(data, data + size)});
    testbed.fsuipc->WithSpace(
        [&](FsuipcOffsetSpace& space) { std::copy_n(data, size, space.bytes.begin() + offset); });
    Exchanged(exchange, false);
}

// --- the lab's port ------------------------------------------------------------------------

tools::BlockSnapshot LabSession::Block() {
    return session.Block();
}

uint64_t LabSession::Apply(const tools::CockpitWrite& write) {
    const uint64_t mark = pluginExchanges;
    for (const tools::FieldWrite& field : write.fields) {
        const AircraftParty::Block block = BlockOf(field.block);
        if (field.onlyWhen) {
            const std::vector<uint8_t> bytes = testbed.aircraft.Bytes(block);
            int32_t now = 0;
            if (field.field + 4 <= bytes.size()) {
                std::memcpy(&now, bytes.data() + field.field, 4);
            }
            if (now != *field.onlyWhen) {
                continue;
            }
        }
        if (field.real) {
            testbed.aircraft.SetF64(block, field.field, field.value);
        } else {
            testbed.aircraft.SetI32(block, field.field, int32_t(field.value));
        }
    }
    if (!write.fields.empty() && write.target.entry != nullptr) {
        pendingSets.push_back({write.target, write.reads, Milliseconds()});
    }
    if (!write.fsuipcBytes.empty()) {
        testbed.fsuipc->WithSpace([&](FsuipcOffsetSpace& space) {
            std::copy(write.fsuipcBytes.begin(), write.fsuipcBytes.end(),
                      space.bytes.begin() + write.fsuipcOffset);
        });
        std::copy(write.fsuipcBytes.begin(), write.fsuipcBytes.end(),
                  published.bytes.begin() + (write.fsuipcOffset - tools::kBlockFirst));
        pendingWrite = Milliseconds();
    }
    return mark;
}

bool LabSession::TakenUp(uint64_t mark) {
    return pluginExchanges >= mark + kExchangesToTakeUp;
}

void LabSession::FsuipcSet(uint32_t offset, uint32_t size, uint64_t value) {
    testbed.fsuipc->WithSpace([&](FsuipcOffsetSpace& space) {
        for (uint32_t i = 0; i < size; ++i) {
            space.SetU8(offset + i, uint8_t(value >> (8 * i)));
        }
    });
}

void LabSession::FsuipcRestart() {
    CollectExchanges();
    testbed.fsuipc.reset();
    testbed.fsuipc.emplace(FsuipcOptions());
    published = {};
    Note(
        "FSUIPC restarted: every offset reads 0 and programs must connect again; the plug-in "
        "keeps the link it opened until the aircraft is loaded again");
}

std::string LabSession::Door(groundservices::Door door, tools::DoorAction action) {
    const GsxDoors::Action asked = action == tools::DoorAction::kOpen ? GsxDoors::Action::kOpen
                                   : action == tools::DoorAction::kClose
                                       ? GsxDoors::Action::kClose
                                       : GsxDoors::Action::kToggle;
    const std::string label = GsxDoors::Label(door);
    switch (gsx.Ask(door, asked)) {
        case GsxDoors::Asked::kAlreadyOpen:
            return "the " + label + " is already open";
        case GsxDoors::Asked::kAlreadyClosed:
            return "the " + label + " is already closed";
        case GsxDoors::Asked::kRaised:
            break;
    }
    for (const groundservices::DoorRow& row : groundservices::kDoors) {
        if (row.door == door) {
            return std::string("GSX sets ") + groundservices::kGsxVariableNames[row.variable] +
                   " to 1 until the plug-in has asked for the " + label;
        }
    }
    return "";
}

void LabSession::Jetway(groundservices::Jetway which, double value) {
    gsx.Jetway(which, value);
    jetway[size_t(which)] = value;
}

void LabSession::AircraftLoaded(bool other) {
    testbed.aircraft.SetI32(AircraftParty::Block::Sdk2, aircraft::kAircraftStateOffset,
                            other ? 0 : 1);
    session.VehicleLoaded();
    CollectLog(false);
}

void LabSession::SimConnectFail() {
    SimConnectServer& server = testbed.simConnect->server;
    if (server.ConnectionCount() != 0) {
        server.Close(server.ConnectionCount() - 1);
    }
}
}  // namespace ulvo::testbed
