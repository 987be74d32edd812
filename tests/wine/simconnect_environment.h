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

namespace ulvo::simconnect {

class SimConnectEnvironment : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Writes SimConnect.cfg into one of the three folders.
    void WriteConfig(ConfigFolder folder, const std::string& text);
    // Stores a registry port value (kPortValueIPv4 or kPortValueIPv6).
    void SetRegistryPort(const wchar_t* name, const std::wstring& value);

    std::wstring Folder(ConfigFolder folder) const;

  private:
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
    void Replace(HKEY root, const wchar_t* key, const wchar_t* name, const wchar_t* text);

    std::wstring root;
    std::wstring previousDirectory;
    std::vector<SavedValue> saved;
};

}  // namespace ulvo::simconnect
