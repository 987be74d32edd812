// The console the monitor writes to: whether it is one, whether it understands
// ANSI sequences, how wide it is, and Ctrl+C.
#pragma once

#include <cstddef>
#include <string>

namespace ulvo::tools {

struct ConsoleInfo {
    bool isConsole = false;  // standard output is a console window
    bool ansi = false;       // it takes colours and cursor movement
    size_t width = 80;
    size_t height = 25;  // lines of the console window
};

// Writes `text` to standard output at once (UTF-8).
void Print(const std::string& text);

// Looks at standard output and turns on ANSI processing where the console has it.
ConsoleInfo PrepareConsole();

// After this, Ctrl+C and closing the window set the flag that StopRequested reads
// instead of ending the process, so the monitor can close its FSUIPC link.
void CatchStopRequests();
bool StopRequested();

}  // namespace ulvo::tools
