#include "core/recording_simconnect.h"

namespace ulvo::testbed {

int32_t RecordingSimConnect::Open(Handle* handle, const char* name, uint32_t index) {
    calls.push_back("Open " + std::string(name) + " " + std::to_string(index));
    *handle = openResult < 0 ? nullptr : &handleStorage;
    return openResult;
}

int32_t RecordingSimConnect::Close(Handle handle) {
    calls.push_back(handle == &handleStorage ? "Close" : "Close ?");
    return 0;
}

int32_t RecordingSimConnect::MapClientEventToSimEvent(Handle, uint32_t id, const char* name) {
    calls.push_back("Map " + std::to_string(id) + " " + name);
    return 0;
}

int32_t RecordingSimConnect::TransmitClientEvent(Handle handle, uint32_t object, uint32_t event,
                                                 uint32_t data, uint32_t group, uint32_t flags) {
    calls.push_back("Transmit " + std::string(handle ? "" : "null ") + std::to_string(object) +
                    " " + std::to_string(event) + " " + std::to_string(data) + " " +
                    std::to_string(group) + " " + std::to_string(flags));
    return transmitResult;
}

int32_t RecordingSimConnect::AddToDataDefinition(Handle, uint32_t definition, const char* datum,
                                                 const char* units, uint32_t type, float epsilon,
                                                 uint32_t datumId) {
    calls.push_back("Define " + std::to_string(definition) + " " + datum + " / " + units + " " +
                    std::to_string(type) + " " + std::to_string(epsilon) + " " +
                    std::to_string(datumId));
    return 0;
}

int32_t RecordingSimConnect::RequestDataOnSimObject(Handle, uint32_t request, uint32_t definition,
                                                    uint32_t object, uint32_t period,
                                                    uint32_t flags, uint32_t origin,
                                                    uint32_t interval, uint32_t limit) {
    calls.push_back("Request " + std::to_string(request) + " " + std::to_string(definition) + " " +
                    std::to_string(object) + " " + std::to_string(period) + " " +
                    std::to_string(flags) + " " + std::to_string(origin) + " " +
                    std::to_string(interval) + " " + std::to_string(limit));
    return requestResult;
}

}  // namespace ulvo::testbed
