#include "simconnect/status_codes.h"

namespace ulvo::simconnect {

namespace {
struct ErrorStatus {
    uint32_t error;
    uint32_t status;
};

// Win32 errors of a failed pipe or socket start, and the NTSTATUS a completion
// would have carried for the same condition.
constexpr ErrorStatus kErrorStatuses[] = {
    {109, kStatusPipeBroken},           // ERROR_BROKEN_PIPE
    {232, 0xC00000B1},                  // ERROR_NO_DATA: STATUS_PIPE_CLOSING
    {233, 0xC00000B0},                  // ERROR_PIPE_NOT_CONNECTED: STATUS_PIPE_DISCONNECTED
    {995, kStatusCancelled},            // ERROR_OPERATION_ABORTED
    {64, kStatusRemoteDisconnect},      // ERROR_NETNAME_DELETED
    {10053, 0xC0000241},                // WSAECONNABORTED: STATUS_CONNECTION_ABORTED
    {10054, kStatusConnectionReset},    // WSAECONNRESET
    {10058, kStatusGracefulDisconnect}  // WSAESHUTDOWN
};
}  // namespace

uint32_t StatusFromSystemError(uint32_t error) {
    for (const ErrorStatus& row : kErrorStatuses) {
        if (row.error == error) {
            return row.status;
        }
    }
    // Any other error keeps its number as an HRESULT, which is negative as every
    // close code must be.
    return 0x80070000u | (error & 0xFFFFu);
}

}  // namespace ulvo::simconnect
