// Where a new client connects: the settings gathered from the optional
// SimConnect.cfg files, the simulator's registry ports and the defaults.
//
// The files are read through the system's profile functions in three folders,
// Public Documents, Documents, then the current directory; each file overrides,
// key by key, what the earlier ones set. The readers come in through
// ConfigurationSource so the rules can be checked without the system.
#pragma once

#include <cstdint>
#include <string>

#include "simconnect/receive_extractor.h"

namespace ulvo::simconnect {

enum class Protocol { Pipe, IPv4, IPv6 };
enum class IpFamily { IPv4, IPv6 };
enum class ConfigFolder { PublicDocuments, Documents, CurrentDirectory };

// The folders in the order their files are read.
constexpr ConfigFolder kConfigFolders[] = {ConfigFolder::PublicDocuments, ConfigFolder::Documents,
                                           ConfigFolder::CurrentDirectory};

// Address and port hold at most this many characters; longer values are cut.
constexpr size_t kSettingTextLimit = 1023;

struct ConnectionSettings {
    Protocol protocol = Protocol::Pipe;
    std::wstring address;  // pipe server or host; empty means the local machine
    std::wstring port;     // TCP port, or the pipe name for the pipe protocol
    uint32_t maxReceiveSize = kDefaultMaxReceiveSize;
    bool disableNagle = false;
};

class ConfigurationSource {
  public:
    // Full path of SimConnect.cfg in `folder`; false when the folder's path cannot
    // be obtained or combined with the file name.
    virtual bool ConfigFilePath(ConfigFolder folder, std::wstring& path) = 0;
    // The key's value in the section, or empty when the file, section or key is missing.
    virtual std::wstring ReadProfileString(const std::wstring& file, const std::wstring& section,
                                           const std::wstring& key) = 0;
    // True when the section exists in the file with some content.
    virtual bool SectionHasContent(const std::wstring& file, const std::wstring& section) = 0;
    // The simulator's TCP port of that family from the registry, empty when missing.
    virtual std::wstring ReadRegistryPort(IpFamily family) = 0;

  protected:
    ~ConfigurationSource() = default;
};

// Configuration index 0xFFFFFFFF reads no file.
constexpr uint32_t kDefaultsOnlyIndex = 0xFFFFFFFF;

// Results of the connection step.
constexpr uint32_t kConnected = 0;
constexpr uint32_t kConnectFailed = 1;
constexpr uint32_t kSectionMissing = 3;

// "SimConnect" for index 0, "SimConnect.%u" otherwise.
std::wstring SectionName(uint32_t index);

enum class SettingsResult {
    Ready,
    SectionMissing,  // a numbered section exists in none of the three files
};

// Gathers the settings for a configuration index.
SettingsResult GatherSettings(uint32_t index, ConfigurationSource& source,
                              ConnectionSettings& settings);

// The system's integer reading of a profile value: leading blanks, an optional
// sign, then decimal digits up to the first other character; 0 without digits,
// saturated to the 32-bit range.
int32_t ParseProfileInteger(const std::wstring& text);

}  // namespace ulvo::simconnect
