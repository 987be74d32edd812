#include "monitor/win/console.h"

#include <windows.h>

#include <atomic>
#include <cstdio>

namespace ulvo::tools {

namespace {

std::atomic<bool> stopRequested{false};

BOOL WINAPI OnConsoleEvent(DWORD event) {
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT || event == CTRL_CLOSE_EVENT) {
        stopRequested = true;
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void Print(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
}

ConsoleInfo PrepareConsole() {
    ConsoleInfo info;
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (output == nullptr || output == INVALID_HANDLE_VALUE || !GetConsoleMode(output, &mode)) {
        return info;
    }
    info.isConsole = true;
    SetConsoleOutputCP(CP_UTF8);  // the tools write UTF-8: file names may hold any letter
    info.ansi = (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0 ||
                SetConsoleMode(output, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
    CONSOLE_SCREEN_BUFFER_INFO screen;
    if (GetConsoleScreenBufferInfo(output, &screen)) {
        const SHORT columns = SHORT(screen.srWindow.Right - screen.srWindow.Left + 1);
        const SHORT lines = SHORT(screen.srWindow.Bottom - screen.srWindow.Top + 1);
        if (columns >= 40) {
            info.width = size_t(columns);
        }
        if (lines >= 10) {
            info.height = size_t(lines);
        }
    }
    return info;
}

void CatchStopRequests() {
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

bool StopRequested() {
    return stopRequested;
}

}  // namespace ulvo::tools
