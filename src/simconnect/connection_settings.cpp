#include "simconnect/connection_settings.h"

#include <limits>

namespace ulvo::simconnect {

namespace {

using KeyRule = void (*)(const std::wstring& value, ConfigurationSource& source,
                         ConnectionSettings& settings);

struct ProtocolName {
    const wchar_t* name;
    Protocol protocol;
};

constexpr ProtocolName kProtocolNames[] = {
    {L"Auto", Protocol::Pipe},
    {L"Pipe", Protocol::Pipe},
    {L"IPv4", Protocol::IPv4},
    {L"IPv6", Protocol::IPv6},
};

wchar_t AsciiLower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? wchar_t(c - L'A' + L'a') : c;
}

bool EqualsIgnoringCase(const std::wstring& text, const wchar_t* name) {
    size_t i = 0;
    for (; i < text.size() && name[i] != 0; ++i) {
        if (AsciiLower(text[i]) != AsciiLower(name[i])) {
            return false;
        }
    }
    return i == text.size() && name[i] == 0;
}

std::wstring Cut(const std::wstring& value) {
    return value.substr(0, kSettingTextLimit);
}

void ApplyProtocol(const std::wstring& value, ConfigurationSource& source,
                   ConnectionSettings& settings) {
    for (const ProtocolName& row : kProtocolNames) {
        if (!EqualsIgnoringCase(value, row.name)) {
            continue;
        }
        settings.protocol = row.protocol;
        // A socket protocol takes the simulator's registered port in place of a
        // port an earlier file set; an empty port stays empty.
        if (row.protocol != Protocol::Pipe && !settings.port.empty()) {
            settings.port = Cut(source.ReadRegistryPort(
                row.protocol == Protocol::IPv4 ? IpFamily::IPv4 : IpFamily::IPv6));
        }
        return;
    }
}

void ApplyAddress(const std::wstring& value, ConfigurationSource&, ConnectionSettings& settings) {
    settings.address = Cut(value);
}

void ApplyPort(const std::wstring& value, ConfigurationSource&, ConnectionSettings& settings) {
    settings.port = Cut(value);
}

void ApplyMaxReceiveSize(const std::wstring& value, ConfigurationSource&,
                         ConnectionSettings& settings) {
    // Compared unsigned, so the size never falls below its default; a negative
    // value reads as a very large size, and then only the receive buffer's 1 MiB
    // limit applies.
    const uint32_t size = uint32_t(ParseProfileInteger(value));
    if (size > settings.maxReceiveSize) {
        settings.maxReceiveSize = size;
    }
}

void ApplyDisableNagle(const std::wstring& value, ConfigurationSource&,
                       ConnectionSettings& settings) {
    settings.disableNagle = ParseProfileInteger(value) != 0;
}

struct KeyRow {
    const wchar_t* key;
    KeyRule apply;
};

// The keys of a section in the order they are read; a missing or empty value
// leaves the setting as it was.
constexpr KeyRow kKeys[] = {
    {L"Protocol", ApplyProtocol},
    {L"Address", ApplyAddress},
    {L"Port", ApplyPort},
    {L"MaxReceiveSize", ApplyMaxReceiveSize},
    {L"DisableNagle", ApplyDisableNagle},
};

bool SectionExists(const std::wstring& section, ConfigurationSource& source) {
    for (ConfigFolder folder : kConfigFolders) {
        std::wstring file;
        if (source.ConfigFilePath(folder, file) && source.SectionHasContent(file, section)) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::wstring SectionName(uint32_t index) {
    if (index == 0) {
        return L"SimConnect";
    }
    return L"SimConnect." + std::to_wstring(index);
}

SettingsResult GatherSettings(uint32_t index, ConfigurationSource& source,
                              ConnectionSettings& settings) {
    settings = ConnectionSettings{};
    if (index == kDefaultsOnlyIndex) {
        return SettingsResult::Ready;
    }
    const std::wstring section = SectionName(index);
    if (index != 0 && !SectionExists(section, source)) {
        return SettingsResult::SectionMissing;
    }
    for (ConfigFolder folder : kConfigFolders) {
        std::wstring file;
        if (!source.ConfigFilePath(folder, file)) {
            continue;
        }
        for (const KeyRow& row : kKeys) {
            const std::wstring value = source.ReadProfileString(file, section, row.key);
            if (!value.empty()) {
                row.apply(value, source, settings);
            }
        }
    }
    return SettingsResult::Ready;
}

int32_t ParseProfileInteger(const std::wstring& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || (text[i] >= L'\t' && text[i] <= L'\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    int64_t magnitude = 0;
    constexpr int64_t kCap = int64_t(std::numeric_limits<int32_t>::max()) + 1;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - L'0');
        if (magnitude > kCap) {
            magnitude = kCap;
        }
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    return int32_t(value);
}

}  // namespace ulvo::simconnect
