#include "keyboard.h"

#include <windows.h>

#include <thread>
#include <utility>

namespace ulvo::testbed {

Keyboard::Keyboard() {
    std::thread(&Keyboard::Read, typed).detach();
}

std::deque<std::string> Keyboard::Take() {
    std::lock_guard<std::mutex> lock(typed->mutex);
    return std::exchange(typed->lines, {});
}

bool Keyboard::Ended() {
    std::lock_guard<std::mutex> lock(typed->mutex);
    return typed->ended && typed->lines.empty();
}

void Keyboard::Read(std::shared_ptr<Typed> typed) {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    std::string pending;
    char buffer[512];
    DWORD got = 0;
    while (ReadFile(input, buffer, sizeof buffer, &got, nullptr) && got != 0) {
        pending.append(buffer, got);
        for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
            std::lock_guard<std::mutex> lock(typed->mutex);
            typed->lines.push_back(pending.substr(0, end));
            pending.erase(0, end + 1);
        }
    }
    std::lock_guard<std::mutex> lock(typed->mutex);
    if (!pending.empty()) {
        typed->lines.push_back(pending);
    }
    typed->ended = true;
}

}  // namespace ulvo::testbed
