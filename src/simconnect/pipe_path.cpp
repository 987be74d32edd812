#include "simconnect/pipe_path.h"

namespace ulvo::simconnect {

bool FormatPipePath(const std::wstring& server, const std::wstring& pipeName, std::wstring& path) {
    const std::wstring name =
        pipeName.empty() ? std::wstring(L"Lockheed Martin Prepar3D v4\\SimConnect") : pipeName;
    path = L"\\\\" + (server.empty() ? std::wstring(L".") : server) + L"\\pipe\\" + name;
    return path.size() < kPipePathCapacity;
}

}  // namespace ulvo::simconnect
