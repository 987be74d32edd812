// testbed.exe: the stand-in simulator. Picks the mode named by the first argument.
#include <cstdio>
#include <cwchar>

#include "modes.h"

namespace ulvo::testbed {

namespace {
const TestbedMode* modes = nullptr;
}  // namespace

TestbedMode::TestbedMode(const wchar_t* name_, const wchar_t* summary_, ModeMain run_)
    : name(name_), summary(summary_), run(run_), next(modes) {
    modes = this;
}

const TestbedMode* FirstMode() {
    return modes;
}

}  // namespace ulvo::testbed

int wmain(int argc, wchar_t** argv) {
    using ulvo::testbed::TestbedMode;
    if (argc >= 2) {
        for (const TestbedMode* mode = ulvo::testbed::FirstMode(); mode; mode = mode->next) {
            if (std::wcscmp(argv[1], mode->name) == 0) {
                return mode->run(argc - 1, argv + 1);
            }
        }
        std::fwprintf(stderr, L"unknown mode: %ls\n\n", argv[1]);
    }
    std::fwprintf(stderr, L"usage: testbed.exe <mode> [arguments]\n\nmodes:\n");
    for (const TestbedMode* mode = ulvo::testbed::FirstMode(); mode; mode = mode->next) {
        std::fwprintf(stderr, L"  %-16ls %ls\n", mode->name, mode->summary);
    }
    return 2;
}
