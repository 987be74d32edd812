#include "simconnect/win/win32_configuration.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>
#include <shlwapi.h>

namespace ulvo::simconnect {

namespace {

constexpr wchar_t kFileName[] = L"SimConnect.cfg";
constexpr DWORD kPathCapacity = MAX_PATH;      // 260 characters
constexpr DWORD kValueCapacity = 2048;         // characters of one profile value
constexpr DWORD kSectionProbeCapacity = 30;    // enough to see that a section has content
constexpr DWORD kRegistryPortLimitBytes = 20;  // ten wide characters with the terminator

bool CombineWithFileName(const wchar_t* folder, std::wstring& path) {
    wchar_t combined[kPathCapacity] = {};
    if (PathCombineW(combined, folder, kFileName) == nullptr) {
        return false;
    }
    path = combined;
    return true;
}

bool KnownFolderFile(REFKNOWNFOLDERID id, std::wstring& path) {
    PWSTR folder = nullptr;
    const HRESULT result = SHGetKnownFolderPath(id, 0, nullptr, &folder);
    const bool combined = SUCCEEDED(result) && CombineWithFileName(folder, path);
    CoTaskMemFree(folder);
    return combined;
}

}  // namespace

bool Win32Configuration::ConfigFilePath(ConfigFolder folder, std::wstring& path) {
    switch (folder) {
        case ConfigFolder::PublicDocuments:
            return KnownFolderFile(FOLDERID_PublicDocuments, path);
        case ConfigFolder::Documents:
            return KnownFolderFile(FOLDERID_Documents, path);
        case ConfigFolder::CurrentDirectory: {
            wchar_t current[kPathCapacity] = {};
            const DWORD length = GetCurrentDirectoryW(kPathCapacity, current);
            return length != 0 && length < kPathCapacity && CombineWithFileName(current, path);
        }
    }
    return false;
}

std::wstring Win32Configuration::ReadProfileString(const std::wstring& file,
                                                   const std::wstring& section,
                                                   const std::wstring& key) {
    wchar_t value[kValueCapacity] = {};
    GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", value, kValueCapacity,
                             file.c_str());
    return value;
}

bool Win32Configuration::SectionHasContent(const std::wstring& file, const std::wstring& section) {
    wchar_t content[kSectionProbeCapacity] = {};
    return GetPrivateProfileSectionW(section.c_str(), content, kSectionProbeCapacity,
                                     file.c_str()) > 0;
}

std::wstring Win32Configuration::ReadRegistryPort(IpFamily family) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSimulatorRegistryKey, 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
        return L"";
    }
    // One character more than the limit keeps a value without terminator terminated.
    wchar_t port[kRegistryPortLimitBytes / sizeof(wchar_t) + 1] = {};
    DWORD type = 0;
    DWORD size = kRegistryPortLimitBytes;
    const LSTATUS status =
        RegQueryValueExW(key, family == IpFamily::IPv4 ? kPortValueIPv4 : kPortValueIPv6, nullptr,
                         &type, reinterpret_cast<BYTE*>(port), &size);
    RegCloseKey(key);
    // A value that is too long or not a string counts as missing.
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return L"";
    }
    return port;
}

}  // namespace ulvo::simconnect
