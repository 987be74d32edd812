// A clean place for SimConnect tests under Wine: the Documents and Public
// Documents folders are redirected (through the registry) to fresh folders of
// this test, the current directory is a third fresh folder, and the simulator's
// registry ports are removed. Everything is put back afterwards.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "simconnect/connection_settings.h"
#include "simconnect/win/win32_configuration.h"

namespace ulvo::simconnect {

class SimConnectEnvironment : public ::testing::Test {
  protected:
    void SetUp() override {
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

        Replace(HKEY_CURRENT_USER, kShellFolders, L"Personal",
                Folder(ConfigFolder::Documents).c_str());
        Replace(HKEY_LOCAL_MACHINE, kShellFolders, L"Common Documents",
                Folder(ConfigFolder::PublicDocuments).c_str());
        Replace(HKEY_CURRENT_USER, kSimulatorRegistryKey, kPortValueIPv4, nullptr);
        Replace(HKEY_CURRENT_USER, kSimulatorRegistryKey, kPortValueIPv6, nullptr);
    }

    void TearDown() override {
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

    // Writes SimConnect.cfg into one of the three folders.
    void WriteConfig(ConfigFolder folder, const std::string& text) {
        const std::wstring path = Folder(folder) + L"\\SimConnect.cfg";
        const HANDLE file =
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
        CloseHandle(file);
    }
    // Stores a registry port value (kPortValueIPv4 or kPortValueIPv6).
    void SetRegistryPort(const wchar_t* name, const std::wstring& value) {
        SetText(HKEY_CURRENT_USER, kSimulatorRegistryKey, name, REG_SZ, value);
    }

    std::wstring Folder(ConfigFolder folder) const {
        const wchar_t* names[] = {L"\\public", L"\\documents", L"\\current"};
        return root + names[int(folder)];
    }

  private:
    static constexpr wchar_t kShellFolders[] =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

    static void SetText(HKEY root, const wchar_t* key, const wchar_t* name, DWORD type,
                        const std::wstring& text) {
        RegSetKeyValueW(root, key, name, type, text.c_str(),
                        DWORD((text.size() + 1) * sizeof(wchar_t)));
    }

    // A registry value as it was before the test, put back in TearDown.
    struct SavedValue {
        HKEY root;
        const wchar_t* key;
        const wchar_t* name;
        bool existed;
        DWORD type;
        std::vector<BYTE> data;
    };
    // Saves the value, then stores `text` in it, or removes it when `text` is null.
    void Replace(HKEY hive, const wchar_t* key, const wchar_t* name, const wchar_t* text) {
        SavedValue value{hive, key, name, false, 0, {}};
        DWORD size = 0;
        constexpr DWORD kAsStored = RRF_RT_ANY | RRF_NOEXPAND;
        if (RegGetValueW(hive, key, name, kAsStored, &value.type, nullptr, &size) ==
            ERROR_SUCCESS) {
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

    std::wstring root;
    std::wstring previousDirectory;
    std::vector<SavedValue> saved;
};

}  // namespace ulvo::simconnect
