#include "wine/simconnect_environment.h"

#include "simconnect/win/win32_configuration.h"

namespace ulvo::simconnect {

namespace {

constexpr wchar_t kShellFolders[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

const wchar_t* SubfolderName(ConfigFolder folder) {
    switch (folder) {
        case ConfigFolder::PublicDocuments:
            return L"public";
        case ConfigFolder::Documents:
            return L"documents";
        case ConfigFolder::CurrentDirectory:
            return L"current";
    }
    return L"";
}

}  // namespace

SavedRegistryValue::SavedRegistryValue(HKEY rootKey, const wchar_t* keyName,
                                       const wchar_t* valueName)
    : root(rootKey), key(keyName), name(valueName) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
        return;
    }
    DWORD size = 0;
    if (RegQueryValueExW(handle, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        data.resize(size);
        existed = RegQueryValueExW(handle, name.c_str(), nullptr, &type, data.data(), &size) ==
                  ERROR_SUCCESS;
    }
    RegCloseKey(handle);
}

SavedRegistryValue::~SavedRegistryValue() {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    if (existed) {
        RegSetValueExW(handle, name.c_str(), 0, type, data.data(), DWORD(data.size()));
    } else {
        RegDeleteValueW(handle, name.c_str());
    }
    RegCloseKey(handle);
}

void SavedRegistryValue::Set(DWORD valueType, const std::wstring& text) {
    HKEY handle = nullptr;
    ASSERT_EQ(
        RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr),
        ERROR_SUCCESS);
    RegSetValueExW(handle, name.c_str(), 0, valueType, reinterpret_cast<const BYTE*>(text.c_str()),
                   DWORD((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
}

void SavedRegistryValue::Remove() {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_SET_VALUE, &handle) == ERROR_SUCCESS) {
        RegDeleteValueW(handle, name.c_str());
        RegCloseKey(handle);
    }
}

void SimConnectEnvironment::SetUp() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    root = std::wstring(temp) + L"simconnect-test-" + std::to_wstring(GetCurrentProcessId()) +
           L"-" + std::to_wstring(GetTickCount64());
    ASSERT_TRUE(CreateDirectoryW(root.c_str(), nullptr));
    for (ConfigFolder folder : kConfigFolders) {
        ASSERT_TRUE(CreateDirectoryW(Folder(folder).c_str(), nullptr));
    }
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    previousDirectory = current;
    ASSERT_TRUE(SetCurrentDirectoryW(Folder(ConfigFolder::CurrentDirectory).c_str()));

    saved.push_back(
        std::make_unique<SavedRegistryValue>(HKEY_CURRENT_USER, kShellFolders, L"Personal"));
    saved.back()->Set(REG_EXPAND_SZ, Folder(ConfigFolder::Documents));
    saved.push_back(std::make_unique<SavedRegistryValue>(HKEY_LOCAL_MACHINE, kShellFolders,
                                                         L"Common Documents"));
    saved.back()->Set(REG_EXPAND_SZ, Folder(ConfigFolder::PublicDocuments));
    saved.push_back(std::make_unique<SavedRegistryValue>(HKEY_CURRENT_USER, kSimulatorRegistryKey,
                                                         kPortValueIPv4));
    portIPv4 = saved.back().get();
    portIPv4->Remove();
    saved.push_back(std::make_unique<SavedRegistryValue>(HKEY_CURRENT_USER, kSimulatorRegistryKey,
                                                         kPortValueIPv6));
    portIPv6 = saved.back().get();
    portIPv6->Remove();
}

void SimConnectEnvironment::TearDown() {
    saved.clear();
    SetCurrentDirectoryW(previousDirectory.c_str());
    for (ConfigFolder folder : kConfigFolders) {
        DeleteFileW((Folder(folder) + L"\\SimConnect.cfg").c_str());
        RemoveDirectoryW(Folder(folder).c_str());
    }
    RemoveDirectoryW(root.c_str());
}

std::wstring SimConnectEnvironment::Folder(ConfigFolder folder) const {
    return root + L"\\" + SubfolderName(folder);
}

void SimConnectEnvironment::WriteConfig(ConfigFolder folder, const std::string& text) {
    const std::wstring path = Folder(folder) + L"\\SimConnect.cfg";
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
    CloseHandle(file);
}

void SimConnectEnvironment::SetRegistryPort(const wchar_t* name, const std::wstring& value) {
    (name == std::wstring(kPortValueIPv4) ? portIPv4 : portIPv6)->Set(REG_SZ, value);
}

}  // namespace ulvo::simconnect
