// testbed.exe runs one mode per invocation: `testbed.exe <mode> [arguments]`.
// Each mode lives in its own file and registers itself with a TestbedMode object
// at namespace scope, so adding a mode touches no other file.
#pragma once

namespace ulvo::testbed {

using ModeMain = int (*)(int argc, wchar_t** argv);  // argv[0] is the mode's name

class TestbedMode {
  public:
    TestbedMode(const wchar_t* name, const wchar_t* summary, ModeMain run);

    const wchar_t* name;
    const wchar_t* summary;
    ModeMain run;
    const TestbedMode* next;
};

// The registered modes, most recently registered first.
const TestbedMode* FirstMode();

}  // namespace ulvo::testbed
