// The SimConnect calls for native tests: records every call as one text line and
// answers with configurable results.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "groundservices/simconnect_api.h"

namespace ulvo::testbed {

class RecordingSimConnect final : public groundservices::SimConnectApi {
  public:
    using Handle = groundservices::SimConnectHandle;

    std::vector<std::string> calls;
    int32_t openResult = 0;
    int32_t transmitResult = 0;
    int32_t requestResult = 0;
    int handleStorage = 0;

    std::vector<std::string> TakeCalls() { return std::exchange(calls, {}); }

    int32_t Open(Handle* handle, const char* name, uint32_t index) override;
    int32_t Close(Handle handle) override;
    int32_t MapClientEventToSimEvent(Handle handle, uint32_t id, const char* name) override;
    int32_t TransmitClientEvent(Handle handle, uint32_t object, uint32_t event, uint32_t data,
                                uint32_t group, uint32_t flags) override;
    int32_t AddToDataDefinition(Handle handle, uint32_t definition, const char* datum,
                                const char* units, uint32_t type, float epsilon,
                                uint32_t datumId) override;
    int32_t RequestDataOnSimObject(Handle handle, uint32_t request, uint32_t definition,
                                   uint32_t object, uint32_t period, uint32_t flags,
                                   uint32_t origin, uint32_t interval, uint32_t limit) override;
};

}  // namespace ulvo::testbed
