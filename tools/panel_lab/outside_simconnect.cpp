#include "panel_lab/outside_simconnect.h"

#include <map>

namespace ulvo::tools {

namespace {

using simconnect::ConfigFolder;
using simconnect::ConfigurationSource;
using simconnect::IpFamily;

// Reads through to the real source and remembers, for each key, the file whose
// non-empty value was read last: the one whose entry is in force.
class WhereSet final : public ConfigurationSource {
  public:
    explicit WhereSet(ConfigurationSource& source_) : source(source_) {}

    bool ConfigFilePath(ConfigFolder folder, std::wstring& path) override {
        return source.ConfigFilePath(folder, path);
    }
    std::wstring ReadProfileString(const std::wstring& file, const std::wstring& section,
                                   const std::wstring& key) override {
        std::wstring value = source.ReadProfileString(file, section, key);
        if (!value.empty()) {
            entries[key] = {file, value};
        }
        return value;
    }
    bool SectionHasContent(const std::wstring& file, const std::wstring& section) override {
        return source.SectionHasContent(file, section);
    }
    std::wstring ReadRegistryPort(IpFamily family) override {
        return source.ReadRegistryPort(family);
    }

    struct Entry {
        std::wstring file;
        std::wstring value;
    };
    std::map<std::wstring, Entry> entries;

  private:
    ConfigurationSource& source;
};

// UTF-8 of a wide text (UTF-16 on Windows, where surrogate pairs are joined).
std::string Utf8(const std::wstring& text) {
    std::string utf8;
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = uint32_t(text[i]);
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (uint32_t(text[++i]) - 0xDC00);
        }
        if (c < 0x80) {
            utf8 += char(c);
        } else if (c < 0x800) {
            utf8 += {char(0xC0 | c >> 6), char(0x80 | (c & 0x3F))};
        } else if (c < 0x10000) {
            utf8 += {char(0xE0 | c >> 12), char(0x80 | (c >> 6 & 0x3F)), char(0x80 | (c & 0x3F))};
        } else {
            utf8 += {char(0xF0 | c >> 18), char(0x80 | (c >> 12 & 0x3F)),
                     char(0x80 | (c >> 6 & 0x3F)), char(0x80 | (c & 0x3F))};
        }
    }
    return utf8;
}

}  // namespace

std::string OutsideSimConnect(ConfigurationSource& source) {
    WhereSet where(source);
    simconnect::ConnectionSettings settings;
    simconnect::GatherSettings(0, where, settings);
    const bool localPipe = settings.protocol == simconnect::Protocol::Pipe &&
                           (settings.address.empty() || settings.address == L".") &&
                           settings.port.empty();
    if (localPipe) {
        return "";
    }
    std::string named;
    for (const wchar_t* key : {L"Protocol", L"Address", L"Port"}) {
        const auto entry = where.entries.find(key);
        if (entry == where.entries.end()) {
            continue;
        }
        named += (named.empty() ? "" : "; ") + Utf8(entry->second.file) + " [SimConnect] " +
                 Utf8(key) + "=" + Utf8(entry->second.value);
    }
    return "the plug-in's SimConnect client would not connect to the lab: " + named +
           ". The lab serves SimConnect only on the simulator's usual pipe on this PC; with "
           "this configuration the plug-in would send its SimConnect traffic (the doors of "
           "`gsx` lines among it) elsewhere, or not start at all. Rename the file while you "
           "use the lab, or start the lab from another folder when the file is in the current "
           "one.";
}

}  // namespace ulvo::tools
