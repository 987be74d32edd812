// Fuzzes the merge of the SimConnect.cfg files, the registry ports and the
// defaults (GatherSettings) with any file contents, any configuration index and
// any mix of folders that can or cannot be found.
//
// Input: byte 0 picks the configuration index; byte 1 says which of the three
// folders have a file path (bits 0-2) and which registry ports exist (bits 3-4);
// the rest is split at each 0x01 byte into the three files and the IPv4 and IPv6
// registry ports. A file is lines: "[name]" opens a section, "key=value" sets a
// key in it; names and keys compare without regard to ASCII case. A byte from
// 0x80 up stands for a character outside ASCII.
//
// Checked: no crash, leak or undefined behaviour; only results 0 and 3, 3 exactly
// when a numbered section is in no file; index 0xFFFFFFFF reads nothing; the
// settings are those the documented rules give, file over file, key by key; the
// texts stay within 1023 characters; the receive size never falls below 41088.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "simconnect/connection_settings.h"

namespace {

using namespace ulvo::simconnect;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

wchar_t AsciiLower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? wchar_t(c + (L'a' - L'A')) : c;
}

bool SameIgnoringAsciiCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

struct Section {
    std::wstring name;
    std::vector<std::pair<std::wstring, std::wstring>> keys;
    size_t lines = 0;
};

std::vector<Section> ParseFile(const std::wstring& text) {
    std::vector<Section> sections;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) {
            end = text.size();
        }
        const std::wstring line = text.substr(start, end - start);
        if (line.size() >= 2 && line.front() == L'[' && line.back() == L']') {
            sections.push_back(Section{line.substr(1, line.size() - 2), {}, 0});
        } else if (!sections.empty() && !line.empty()) {
            ++sections.back().lines;
            const size_t equals = line.find(L'=');
            if (equals != std::wstring::npos) {
                sections.back().keys.emplace_back(line.substr(0, equals), line.substr(equals + 1));
            }
        }
        start = end + 1;
    }
    return sections;
}

// The system's profile functions read the first section of a name; a later one
// of the same name is never seen.
const Section* FirstSection(const std::vector<Section>& sections, const std::wstring& name) {
    for (const Section& candidate : sections) {
        if (SameIgnoringAsciiCase(candidate.name, name)) {
            return &candidate;
        }
    }
    return nullptr;
}

class FuzzedConfiguration final : public ConfigurationSource {
  public:
    std::vector<Section> files[3];
    bool hasPath[3] = {};
    std::wstring registryPort[2];  // IPv4, IPv6
    size_t calls = 0;

    bool ConfigFilePath(ConfigFolder folder, std::wstring& path) override {
        ++calls;
        const size_t n = size_t(folder);
        path = L"C:\\cfg" + std::to_wstring(n) + L"\\SimConnect.cfg";
        return hasPath[n];
    }
    std::wstring ReadProfileString(const std::wstring& file, const std::wstring& section,
                                   const std::wstring& key) override {
        ++calls;
        const Section* found = Find(file, section);
        if (found != nullptr) {
            for (const auto& [name, value] : found->keys) {
                if (SameIgnoringAsciiCase(name, key)) {
                    return value;
                }
            }
        }
        return L"";
    }
    bool SectionHasContent(const std::wstring& file, const std::wstring& section) override {
        ++calls;
        const Section* found = Find(file, section);
        return found != nullptr && found->lines != 0;
    }
    std::wstring ReadRegistryPort(IpFamily family) override {
        ++calls;
        return registryPort[family == IpFamily::IPv4 ? 0 : 1];
    }

  private:
    const Section* Find(const std::wstring& file, const std::wstring& section) const {
        for (size_t n = 0; n < 3; ++n) {
            if (file == L"C:\\cfg" + std::to_wstring(n) + L"\\SimConnect.cfg") {
                return FirstSection(files[n], section);
            }
        }
        return nullptr;
    }
};

// The integer the system reads from a profile value: blanks, a sign, digits;
// saturated to 32 bits. Written apart from the library's reader, with wcstoll.
bool ReferenceInteger(const std::wstring& text, int32_t& value) {
    for (wchar_t c : text) {
        if (c >= 0x80 || c == 0) {
            return false;  // outside what wcstoll and the profile reader agree on
        }
    }
    const long long parsed = std::wcstoll(text.c_str(), nullptr, 10);
    value = parsed > INT32_MAX ? INT32_MAX : parsed < INT32_MIN ? INT32_MIN : int32_t(parsed);
    return true;
}

// The settings as the documented rules give them.
ConnectionSettings Expected(const FuzzedConfiguration& config, const std::wstring& section) {
    ConnectionSettings expected;
    const wchar_t* const names[] = {L"auto", L"pipe", L"ipv4", L"ipv6"};
    const Protocol protocols[] = {Protocol::Pipe, Protocol::Pipe, Protocol::IPv4, Protocol::IPv6};
    for (size_t n = 0; n < 3; ++n) {
        if (!config.hasPath[n]) {
            continue;
        }
        const Section* found = FirstSection(config.files[n], section);
        auto value = [&](const wchar_t* key) {
            if (found != nullptr) {
                for (const auto& [name, text] : found->keys) {
                    if (SameIgnoringAsciiCase(name, key)) {
                        return text;
                    }
                }
            }
            return std::wstring();
        };
        const std::wstring protocol = value(L"Protocol");
        for (size_t p = 0; p < 4 && !protocol.empty(); ++p) {
            if (SameIgnoringAsciiCase(protocol, names[p])) {
                expected.protocol = protocols[p];
                if (protocols[p] != Protocol::Pipe && !expected.port.empty()) {
                    expected.port =
                        config.registryPort[protocols[p] == Protocol::IPv4 ? 0 : 1].substr(
                            0, kSettingTextLimit);
                }
            }
        }
        if (const std::wstring address = value(L"Address"); !address.empty()) {
            expected.address = address.substr(0, kSettingTextLimit);
        }
        if (const std::wstring port = value(L"Port"); !port.empty()) {
            expected.port = port.substr(0, kSettingTextLimit);
        }
        if (const std::wstring size = value(L"MaxReceiveSize"); !size.empty()) {
            expected.maxReceiveSize =
                std::max(expected.maxReceiveSize, uint32_t(ParseProfileInteger(size)));
        }
        if (const std::wstring nagle = value(L"DisableNagle"); !nagle.empty()) {
            expected.disableNagle = ParseProfileInteger(nagle) != 0;
        }
    }
    return expected;
}

std::wstring Text(const uint8_t* data, size_t size) {
    std::wstring text;
    for (size_t i = 0; i < size; ++i) {
        text.push_back(data[i] < 0x80 ? wchar_t(data[i]) : wchar_t(0x100 + data[i]));
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const uint32_t indexes[] = {0, kDefaultsOnlyIndex, 3, 1, 0xFFFFFFFE};
    const uint32_t index = data[0] < 5 ? indexes[data[0]] : data[0];

    FuzzedConfiguration config;
    std::wstring parts[5];
    size_t part = 0;
    for (size_t i = 2; i < size; ++i) {
        if (data[i] == 0x01 && part < 4) {
            ++part;
        } else {
            parts[part] += Text(data + i, 1);
        }
    }
    for (size_t n = 0; n < 3; ++n) {
        config.hasPath[n] = (data[1] >> n) & 1;
        config.files[n] = ParseFile(parts[n]);
    }
    config.registryPort[0] = (data[1] & 0x08) ? parts[3] : L"";
    config.registryPort[1] = (data[1] & 0x10) ? parts[4] : L"";

    ConnectionSettings settings;
    settings.address = L"left over from an earlier open";
    const SettingsResult result = GatherSettings(index, config, settings);

    const std::wstring section = SectionName(index);
    if (index == kDefaultsOnlyIndex) {
        Check(config.calls == 0);
    }
    bool sectionSomewhere = false;
    for (size_t n = 0; n < 3; ++n) {
        const Section* found = FirstSection(config.files[n], section);
        sectionSomewhere |= config.hasPath[n] && found != nullptr && found->lines != 0;
    }
    const bool numbered = index != 0 && index != kDefaultsOnlyIndex;
    Check((result == SettingsResult::SectionMissing) == (numbered && !sectionSomewhere));

    const ConnectionSettings expected =
        result == SettingsResult::SectionMissing || index == kDefaultsOnlyIndex
            ? ConnectionSettings{}
            : Expected(config, section);
    Check(settings.protocol == expected.protocol);
    Check(settings.address == expected.address);
    Check(settings.port == expected.port);
    Check(settings.maxReceiveSize == expected.maxReceiveSize);
    Check(settings.disableNagle == expected.disableNagle);
    Check(settings.address.size() <= kSettingTextLimit &&
          settings.port.size() <= kSettingTextLimit);
    Check(settings.maxReceiveSize >= kDefaultMaxReceiveSize);

    // The integer reader against wcstoll, on every value a file holds.
    for (size_t n = 0; n < 3; ++n) {
        for (const Section& s : config.files[n]) {
            for (const auto& key : s.keys) {
                int32_t reference = 0;
                if (ReferenceInteger(key.second, reference)) {
                    Check(ParseProfileInteger(key.second) == reference);
                }
            }
        }
    }
    return 0;
}
