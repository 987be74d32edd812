// The simulator's main window, class "FS98MAIN": a hidden top-level window (as in
// the simulator; Wine would also find a message-only window by class, Windows
// would not). Parties hook their messages into it: the aircraft records its
// command message, the SimConnect server answers the in-process channel records.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace ulvo::testbed {

class SimWindow {
  public:
    // Returns true when it handled the message and set `result`.
    using Handler =
        std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

    // Creates the window on the calling thread, which must pump its messages.
    SimWindow();
    ~SimWindow();
    SimWindow(const SimWindow&) = delete;
    SimWindow& operator=(const SimWindow&) = delete;

    HWND Handle() const { return window; }

    // Handlers are asked in the order added; the first that handles a message wins.
    // Returns an id for RemoveHandler.
    int AddHandler(Handler handler);
    void RemoveHandler(int id);

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    struct Entry {
        int id;
        Handler handler;
    };
    HWND window = nullptr;
    std::vector<Entry> handlers;
    int nextId = 1;
};

}  // namespace ulvo::testbed
