// Names of the simulator's SimConnect pipe.
#pragma once

#include <string>

namespace ulvo::simconnect {

// Pipe paths must fit a buffer of 260 wide characters, terminator included.
constexpr size_t kPipePathCapacity = 260;

// "\\<server>\pipe\<name>", with "." for an empty server and the simulator's
// default pipe "Lockheed Martin Prepar3D v4\SimConnect" for an empty name.
// False when the path does not fit; such a pipe cannot be opened.
bool FormatPipePath(const std::wstring& server, const std::wstring& pipeName, std::wstring& path);

}  // namespace ulvo::simconnect
