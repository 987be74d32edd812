#include "wine/simconnect_environment.h"

#include "simconnect/win/win32_configuration.h"

namespace ulvo::simconnect {

namespace {

constexpr wchar_t kShellFolders[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

void SetText(HKEY root, const wchar_t* key, const wchar_t* name, DWORD type,
             const std::wstring& text) {
    RegSetKeyValueW(root, key, name, type, text.c_str(),
                    DWORD((text.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

void SimConnectEnvironment::Replace(HKEY hive, const wchar_t* key, const wchar_t* name,
                                    const wchar_t* text) {
    SavedValue value{hive, key, name, false, 0, {}};
    DWORD size = 0;
    constexpr DWORD kAsStored = RRF_RT_ANY | RRF_NOEXPAND;
    if (RegGetValueW(hive, key, name, kAsStored, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.data.resize(size);
        value.existed = RegGetValueW(hive, key, name, kAsStored, &value.type, value.data.data(),
                                     &size) == ERROR_SUCCESS;
    }
    saved.push_back(value);
    if (text != nullptr) {
        SetText(hive, key, name, REG_EXPAND_SZ, text);
    } else {
        RegDeleteKeyValueW(hive, key, name);
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

    Replace(HKEY_CURRENT_USER, kShellFolders, L"Personal", Folder(ConfigFolder::Documents).c_str());
    Replace(HKEY_LOCAL_MACHINE, kShellFolders, L"Common Documents",
            Folder(ConfigFolder::PublicDocuments).c_str());
    Replace(HKEY_CURRENT_USER, kSimulatorRegistryKey, kPortValueIPv4, nullptr);
    Replace(HKEY_CURRENT_USER, kSimulatorRegistryKey, kPortValueIPv6, nullptr);
}

void SimConnectEnvironment::TearDown() {
    for (const SavedValue& value : saved) {
        if (value.existed) {
            RegSetKeyValueW(value.root, value.key, value.name, value.type, value.data.data(),
                            DWORD(value.data.size()));
        } else {
            RegDeleteKeyValueW(value.root, value.key, value.name);
        }
    }
    SetCurrentDirectoryW(previousDirectory.c_str());
    for (ConfigFolder folder : kConfigFolders) {
        DeleteFileW((Folder(folder) + L"\\SimConnect.cfg").c_str());
        RemoveDirectoryW(Folder(folder).c_str());
    }
    RemoveDirectoryW(root.c_str());
}

std::wstring SimConnectEnvironment::Folder(ConfigFolder folder) const {
    const wchar_t* names[] = {L"\\public", L"\\documents", L"\\current"};
    return root + names[int(folder)];
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
    SetText(HKEY_CURRENT_USER, kSimulatorRegistryKey, name, REG_SZ, value);
}

}  // namespace ulvo::simconnect
