// `testbed.exe version`: prints the project version; a smoke test of the program.
#include <cstdio>
#include <cwchar>

#include "modes.h"

namespace ulvo::testbed {
namespace {

int RunVersion(int, wchar_t**) {
    std::wprintf(L"Ulvo2FSUIPC testbed\n");
    return 0;
}

const TestbedMode versionMode(L"version", L"print the testbed's name", RunVersion);

}  // namespace
}  // namespace ulvo::testbed
