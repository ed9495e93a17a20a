#include "common/window_base_win.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class CountingWindow : public WindowBase {
  public:
    bool Open() { return CreateWindowOf("MasqTestWindow", 0, WS_OVERLAPPED, "test", RECT{0, 0, 100, 100}, nullptr); }
    int userMessages = 0;

  protected:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM, LPARAM) override {
        if (message == WM_USER)
            return ++userMessages;
        if (message == WM_USER + 1)
            throw std::runtime_error("handler failed");
        return std::nullopt;
    }
};

}  // namespace

TEST(WindowBase, RoutesMessagesToItsObjectAndStopsExceptionsAtTheBoundary) {
    CountingWindow window;
    ASSERT_TRUE(window.Open());
    EXPECT_EQ(SendMessageA(window.Handle(), WM_USER, 0, 0), 1);
    EXPECT_EQ(SendMessageA(window.Handle(), WM_USER + 1, 0, 0), 0);
    EXPECT_EQ(SendMessageA(window.Handle(), WM_USER, 0, 0), 2);
}

TEST(WindowBase, ForgetsTheHandleWhenTheWindowIsDestroyedFromOutside) {
    CountingWindow window;
    ASSERT_TRUE(window.Open());
    DestroyWindow(window.Handle());
    EXPECT_EQ(window.Handle(), nullptr);
}
