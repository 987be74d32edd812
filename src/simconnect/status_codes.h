// Result codes of the SimConnect client. API calls return 32-bit HRESULT-style
// codes, 0 on success and negative on failure; a connection that failed keeps the
// system status (an NTSTATUS) or one of the client's own codes as its close code,
// and every later call on it returns that code.
#pragma once

#include <cstdint>

namespace ulvo::simconnect {

constexpr int32_t kOk = 0;
constexpr int32_t kFail = int32_t(0x80004005);             // general failure, null handle
constexpr int32_t kInvalidArgument = int32_t(0x80070057);  // bad argument, missing section
constexpr int32_t kNameTooLong = int32_t(0x8007007A);      // string field of 256 or more
constexpr int32_t kMessageRefused = int32_t(0x80004004);   // incoming size field refused
constexpr int32_t kOutOfMemory = int32_t(0x8007000E);      // no memory for an incoming message

// Completion statuses that close a connection with a code of their own.
constexpr uint32_t kStatusCancelled = 0xC0000120;
constexpr uint32_t kStatusRemoteDisconnect = 0xC000013C;
constexpr uint32_t kStatusGracefulDisconnect = 0xC000013E;  // zero-byte completion
constexpr uint32_t kStatusPipeBroken = 0xC000014B;
constexpr uint32_t kStatusConnectionReset = 0xC000020D;
// A pipe read that filled its buffer with part of a longer message: a success.
constexpr uint32_t kStatusBufferOverflow = 0x80000005;

// The status an I/O start that failed at once stands for. Such a failure posts no
// completion, so the client passes it through its completion path itself; the
// system reports it as a Win32 error, completions as an NTSTATUS.
uint32_t StatusFromSystemError(uint32_t error);

}  // namespace ulvo::simconnect
