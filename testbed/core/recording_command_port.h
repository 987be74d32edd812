// An aircraft command port for native tests and benchmarks: records every post
// as (code, value) in order, and can play a simulator whose window or message id
// is not known yet.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "aircraft/aircraft_command.h"

namespace ulvo::testbed {

class RecordingCommandPort final : public aircraft::AircraftCommandPort {
  public:
    using Command = std::pair<uint32_t, int32_t>;  // (code, value)

    bool ready = true;
    std::vector<Command> posts;

    bool Ready() const override { return ready; }
    void Post(uint32_t code, int32_t value) override { posts.emplace_back(code, value); }

    // The posts so far, which are then forgotten.
    std::vector<Command> Take() { return std::exchange(posts, {}); }
};

}  // namespace ulvo::testbed
