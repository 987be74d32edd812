// SimConnect.cfg in memory: three folders with a file each (or no path), their
// sections and keys, and the simulator's registry ports. Every look-up is
// recorded.
#pragma once

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "simconnect/connection_settings.h"

namespace ulvo::testbed {

class MemoryConfiguration final : public simconnect::ConfigurationSource {
  public:
    using ConfigFolder = simconnect::ConfigFolder;

    void Set(ConfigFolder folder, const std::wstring& section, const std::wstring& key,
             const std::wstring& value) {
        values[{paths.at(folder), section, key}] = value;
    }

    bool ConfigFilePath(ConfigFolder folder, std::wstring& path) override {
        ++lookups;
        auto it = paths.find(folder);
        if (it == paths.end()) {
            return false;
        }
        path = it->second;
        return true;
    }
    std::wstring ReadProfileString(const std::wstring& file, const std::wstring& section,
                                   const std::wstring& key) override {
        ++lookups;
        auto it = values.find({file, section, key});
        return it == values.end() ? L"" : it->second;
    }
    bool SectionHasContent(const std::wstring& file, const std::wstring& section) override {
        ++lookups;
        sectionChecks.push_back(file);
        for (const auto& [where, value] : values) {
            if (std::get<0>(where) == file && std::get<1>(where) == section) {
                return true;
            }
        }
        return false;
    }
    std::wstring ReadRegistryPort(simconnect::IpFamily family) override {
        ++lookups;
        return family == simconnect::IpFamily::IPv4 ? portIPv4 : portIPv6;
    }

    std::map<ConfigFolder, std::wstring> paths{
        {ConfigFolder::PublicDocuments, L"P:\\SimConnect.cfg"},
        {ConfigFolder::Documents, L"D:\\SimConnect.cfg"},
        {ConfigFolder::CurrentDirectory, L"C:\\SimConnect.cfg"}};
    std::map<std::tuple<std::wstring, std::wstring, std::wstring>, std::wstring> values;
    std::wstring portIPv4;
    std::wstring portIPv6;
    int lookups = 0;
    std::vector<std::wstring> sectionChecks;
};

}  // namespace ulvo::testbed
