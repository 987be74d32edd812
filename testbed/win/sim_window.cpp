#include "win/sim_window.h"

#include <algorithm>

namespace ulvo::testbed {

namespace {
constexpr wchar_t kClassName[] = L"FS98MAIN";

void RegisterClassOnce() {
    static const ATOM atom = [] {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;  // replaced per window below
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClassName;
        return RegisterClassW(&windowClass);
    }();
    (void)atom;
}
}  // namespace

SimWindow::SimWindow() {
    RegisterClassOnce();
    window = CreateWindowExW(0, kClassName, L"Prepar3D testbed", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                             100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window != nullptr) {
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SimWindow::WindowProc));
    }
}

SimWindow::~SimWindow() {
    if (window != nullptr) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
}

int SimWindow::AddHandler(Handler handler) {
    handlers.push_back(Entry{nextId, std::move(handler)});
    return nextId++;
}

void SimWindow::RemoveHandler(int id) {
    handlers.erase(std::remove_if(handlers.begin(), handlers.end(),
                                  [id](const Entry& entry) { return entry.id == id; }),
                   handlers.end());
}

LRESULT CALLBACK SimWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<SimWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr) {
        // A handler may add or remove handlers; walk a copy.
        const std::vector<Entry> entries = self->handlers;
        for (const Entry& entry : entries) {
            LRESULT result = 0;
            if (entry.handler(message, wParam, lParam, result)) {
                return result;
            }
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace ulvo::testbed
