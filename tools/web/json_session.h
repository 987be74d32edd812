// One connection of the JSON offset protocol that browser panels and scripts
// speak on /fsuipc/: named groups of offsets declared with types and sizes, read
// once, at an interval or on change, written by name, stopped and removed, and
// the about request. Every request gets a reply with "command", "name",
// "success", "errorCode" and "errorMessage"; data replies add "data".
//
// Portable and single-threaded: the server calls Handle for each request and Due
// whenever time has passed or the offsets were read again.
#pragma once

#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "web/offset_space.h"
#include "web/offset_values.h"

namespace ulvo::tools::web {

// The stable error codes of the replies.
namespace error_code {
inline constexpr const char* kBadRequest = "BadRequest";  // not JSON, or no command
inline constexpr const char* kUnknownCommand = "UnknownCommand";
inline constexpr const char* kNotSupported = "NotSupported";  // vars.*: no L-vars here
inline constexpr const char* kUnknownGroup = "UnknownGroup";
inline constexpr const char* kBadDeclaration = "BadDeclaration";  // type, size or address
inline constexpr const char* kUnknownName = "UnknownName";        // no such offset in the group
inline constexpr const char* kBadValue = "BadValue";              // wrong kind or out of range
inline constexpr const char* kWriteRefused = "WriteRefused";      // this client may only read
inline constexpr const char* kTooMany = "TooMany";                // groups or offsets past a limit
inline constexpr const char* kBusy = "Busy";                      // requests too fast
}  // namespace error_code

struct JsonSessionLimits {
    size_t groups = 64;
    size_t offsetsPerGroup = 256;
    uint32_t minIntervalMs = 10;  // shorter intervals are served at this one
    // Requests in a burst, and the rate at which the allowance comes back.
    double burst = 200;
    double requestsPerSecond = 200;
};

struct JsonSessionOptions {
    // Why this client may not write (the monitor and an origin the user did not
    // name, a network address without the switch); empty when it may.
    std::string writeRefusal;
    nlohmann::json about;  // the data of the about reply
    JsonSessionLimits limits;
};

class JsonSession {
  public:
    explicit JsonSession(JsonSessionOptions options);

    // Answers one request that arrived at `nowMs`; replies are appended.
    void Handle(std::string_view text, OffsetSpace& space, double nowMs,
                std::vector<std::string>& replies);
    // The reads that have come due by `nowMs`, and the one-shot reads that waited
    // for their offsets to be read for the first time.
    void Due(const OffsetSpace& space, double nowMs, std::vector<std::string>& replies);
    // When Due has a subscription to serve next; a large number when none runs.
    double NextDueMs() const;
    // Every offset the declared groups cover.
    std::vector<OffsetRange> Wanted() const;

  private:
    struct Entry {
        std::string name;
        uint32_t address = 0;
        ValueType type = ValueType::kUint;
        uint32_t size = 0;
    };
    struct Group {
        std::vector<Entry> entries;
        int pendingReads = 0;     // one-shot reads waiting for their offsets
        uint32_t intervalMs = 0;  // 0: no subscription
        bool changesOnly = false;
        bool sentFirst = false;  // the subscription's first, full reply went out
        double nextDueMs = 0;
        nlohmann::json lastSent = nlohmann::json::object();
    };

    nlohmann::json Declare(const std::string& name, const nlohmann::json& request);
    nlohmann::json Read(const std::string& name, const nlohmann::json& request,
                        const OffsetSpace& space, double nowMs, std::vector<std::string>& replies);
    nlohmann::json Write(const std::string& name, const nlohmann::json& request,
                         OffsetSpace& space);
    // The group's values, or null while some offset has not been read yet.
    static nlohmann::json Values(const Group& group, const OffsetSpace& space);
    bool Allowance(double nowMs);

    JsonSessionOptions options;
    std::map<std::string, Group> groups;
    double allowance;
    double allowanceAtMs = 0;
};

// The reply frame every answer shares; `errorCode` empty for success.
nlohmann::json Reply(const nlohmann::json& command, const nlohmann::json& name,
                     const std::string& errorCode = "", const std::string& errorMessage = "");

// JSON as text; text that is not UTF-8 is replaced, never thrown at.
std::string JsonText(const nlohmann::json& value);

}  // namespace ulvo::tools::web
