#include "simconnect/pipe_path.h"

#include <gtest/gtest.h>

namespace ulvo::simconnect {
namespace {

TEST(PipePath, FormatsServerAndNameAndRefusesWhatDoesNotFit) {
    const struct {
        std::wstring server;
        std::wstring name;
        std::wstring path;
    } cases[] = {
        {L"", L"", L"\\\\.\\pipe\\Lockheed Martin Prepar3D v4\\SimConnect"},
        {L".", L"", L"\\\\.\\pipe\\Lockheed Martin Prepar3D v4\\SimConnect"},
        {L"host", L"", L"\\\\host\\pipe\\Lockheed Martin Prepar3D v4\\SimConnect"},
        {L"", L"Mine", L"\\\\.\\pipe\\Mine"},
        {L"host", L"Mine", L"\\\\host\\pipe\\Mine"},
    };
    for (const auto& c : cases) {
        std::wstring path;
        EXPECT_TRUE(FormatPipePath(c.server, c.name, path));
        EXPECT_EQ(path, c.path);
    }
    // 259 characters fit the 260-character buffer with its terminator; 260 do not.
    std::wstring path;
    EXPECT_TRUE(FormatPipePath(L".", std::wstring(259 - 9, L'n'), path));
    EXPECT_EQ(path.size(), 259u);
    EXPECT_FALSE(FormatPipePath(L".", std::wstring(260 - 9, L'n'), path));
}

}  // namespace
}  // namespace ulvo::simconnect
