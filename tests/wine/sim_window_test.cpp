#include "win/sim_window.h"

#include <gtest/gtest.h>

#include <vector>

#include "win/message_pump.h"

namespace ulvo::testbed {
namespace {

TEST(SimWindow, IsFoundByClassAndRoutesMessagesToHandlersInOrder) {
    SimWindow sim;
    ASSERT_NE(sim.Handle(), nullptr);
    EXPECT_EQ(FindWindowExA(nullptr, nullptr, "FS98MAIN", nullptr), sim.Handle());

    const UINT message = RegisterWindowMessageA("Ulvo737NG_MSG_SDK");
    std::vector<std::pair<WPARAM, LPARAM>> posts;
    int second = 0;
    sim.AddHandler([&](UINT m, WPARAM w, LPARAM l, LRESULT&) {
        if (m != message) {
            return false;
        }
        posts.emplace_back(w, l);
        return true;
    });
    const int id = sim.AddHandler([&](UINT m, WPARAM, LPARAM, LRESULT& result) {
        if (m != WM_APP) {
            return false;
        }
        ++second;
        result = 42;
        return true;
    });
    PostMessageA(sim.Handle(), message, 1299, LPARAM(-3));
    EXPECT_TRUE(PumpUntil([&] { return !posts.empty(); }, std::chrono::milliseconds(2000)));
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].first, 1299u);
    EXPECT_EQ(posts[0].second, LPARAM(-3));
    EXPECT_EQ(SendMessageW(sim.Handle(), WM_APP, 0, 0), 42);
    sim.RemoveHandler(id);
    EXPECT_EQ(SendMessageW(sim.Handle(), WM_APP, 0, 0), 0);
    EXPECT_EQ(second, 1);
}

}  // namespace
}  // namespace ulvo::testbed
