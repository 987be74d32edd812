// A clean place for SimConnect tests under Wine: the Documents and Public
// Documents folders are redirected (through the registry) to fresh folders of
// this test, the current directory is a third fresh folder, and the simulator's
// registry ports are removed. Everything is put back afterwards.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "simconnect/connection_settings.h"

namespace ulvo::simconnect {

// Saves one registry value and puts it back (or removes it) when destroyed.
class SavedRegistryValue {
  public:
    SavedRegistryValue(HKEY root, const wchar_t* key, const wchar_t* name);
    ~SavedRegistryValue();
    SavedRegistryValue(const SavedRegistryValue&) = delete;
    SavedRegistryValue& operator=(const SavedRegistryValue&) = delete;

    void Set(DWORD type, const std::wstring& text);
    void Remove();

  private:
    HKEY root;
    std::wstring key;
    std::wstring name;
    bool existed = false;
    DWORD type = 0;
    std::vector<BYTE> data;
};

class SimConnectEnvironment : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Writes SimConnect.cfg into one of the three folders.
    void WriteConfig(ConfigFolder folder, const std::string& text);
    void SetRegistryPort(const wchar_t* name, const std::wstring& value);

    std::wstring Folder(ConfigFolder folder) const;

  private:
    std::wstring root;
    std::wstring previousDirectory;
    std::vector<std::unique_ptr<SavedRegistryValue>> saved;
    SavedRegistryValue* portIPv4 = nullptr;
    SavedRegistryValue* portIPv6 = nullptr;
};

}  // namespace ulvo::simconnect
