// SimConnect.cfg through the system's known folders and profile functions, and
// the simulator's registry ports.
#pragma once

#include "simconnect/connection_settings.h"

namespace ulvo::simconnect {

class Win32Configuration final : public ConfigurationSource {
  public:
    bool ConfigFilePath(ConfigFolder folder, std::wstring& path) override;
    std::wstring ReadProfileString(const std::wstring& file, const std::wstring& section,
                                   const std::wstring& key) override;
    bool SectionHasContent(const std::wstring& file, const std::wstring& section) override;
    std::wstring ReadRegistryPort(IpFamily family) override;
};

// Where the simulator keeps its SimConnect ports (under HKEY_CURRENT_USER).
constexpr wchar_t kSimulatorRegistryKey[] = L"SOFTWARE\\Lockheed Martin\\Prepar3D v4";
constexpr wchar_t kPortValueIPv4[] = L"SimConnect_Port_IPv4";
constexpr wchar_t kPortValueIPv6[] = L"SimConnect_Port_IPv6";

}  // namespace ulvo::simconnect
