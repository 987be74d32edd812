// The testbed's aircraft: it creates the aircraft's two named sections (with the
// sizes the aircraft maps: 4273 and 6773 bytes), lets a test set their fields,
// and records every post of the message "Ulvo737NG_MSG_SDK" that reaches the
// simulator window, in order. Either section can be left out.
#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "win/sim_window.h"

namespace ulvo::testbed {

class AircraftParty {
  public:
    struct Options {
        bool sdkSection = true;
        bool sdk2Section = true;
    };
    enum class Block { Sdk, Sdk2 };
    // As posted: wParam and lParam at full width, so that a wrong extension shows.
    using Command = std::pair<WPARAM, LPARAM>;

    // Hooks into `window`, whose thread receives the posts while it pumps; with no
    // window the sections stand alone. A loaded aircraft reports its state (second
    // block, offset 0x1A70) as 1.
    AircraftParty(SimWindow* window, Options options);
    ~AircraftParty();
    AircraftParty(const AircraftParty&) = delete;
    AircraftParty& operator=(const AircraftParty&) = delete;

    // True when the section exists and the field lies inside its copied bytes.
    bool SetI32(Block block, uint32_t offset, int32_t value);
    bool SetF64(Block block, uint32_t offset, double value);
    // The bytes readers copy from the section now; empty when it does not exist.
    std::vector<uint8_t> Bytes(Block block) const;

    const std::vector<Command>& Commands() const { return commands; }
    std::vector<Command> TakeCommands() { return std::exchange(commands, {}); }

  private:
    struct Section {
        HANDLE mapping = nullptr;
        uint8_t* view = nullptr;
        size_t fieldBytes = 0;  // the bytes readers copy: one less than mapped
    };
    static Section Create(const char* name, size_t mappedSize);
    bool Set(Block block, uint32_t offset, const void* bytes, size_t size);

    SimWindow* window;
    int handlerId = 0;
    uint32_t commandMessage = 0;
    Section sdk;
    Section sdk2;
    std::vector<Command> commands;
};

}  // namespace ulvo::testbed
