// `testbed.exe file-version PATH`: prints the version resource of a Windows file
// as Explorer shows it under Properties, Details, one "Name: value" line each.
// Exit code 1 when the file has no version resource.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <vector>

#include "modes.h"

namespace ulvo::testbed {
namespace {

// The string values shown, in the language and code page the resource names first.
constexpr const wchar_t* kNames[] = {L"FileDescription", L"FileVersion", L"ProductName",
                                     L"ProductVersion", L"OriginalFilename"};

int RunFileVersion(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fwprintf(stderr, L"usage: testbed.exe file-version PATH\n");
        return 2;
    }
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(argv[1], &ignored);
    std::vector<uint8_t> data(size);
    if (size == 0 || !GetFileVersionInfoW(argv[1], 0, size, data.data())) {
        std::wprintf(L"no version resource in %ls\n", argv[1]);
        return 1;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) &&
        length >= sizeof *fixed) {
        std::wprintf(L"Fixed file version: %u.%u.%u.%u\n", HIWORD(fixed->dwFileVersionMS),
                     LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                     LOWORD(fixed->dwFileVersionLS));
    }
    struct Translation {
        WORD language;
        WORD codePage;
    }* translation = nullptr;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &length) ||
        length < sizeof *translation) {
        std::wprintf(L"no translation table\n");
        return 1;
    }
    for (const wchar_t* name : kNames) {
        wchar_t path[128];
        std::swprintf(path, 128, L"\\StringFileInfo\\%04x%04x\\%ls", translation->language,
                      translation->codePage, name);
        wchar_t* value = nullptr;
        if (VerQueryValueW(data.data(), path, reinterpret_cast<void**>(&value), &length)) {
            std::wprintf(L"%ls: %ls\n", name, value);
        }
    }
    return 0;
}

const TestbedMode fileVersionMode(L"file-version",
                                  L"print the version resource of a file (as Explorer shows it)",
                                  RunFileVersion);

}  // namespace
}  // namespace ulvo::testbed
