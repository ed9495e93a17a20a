#include "window_driver.h"

RECT ClientRectOf(HWND parent, HWND child) {
    RECT box{};
    GetWindowRect(child, &box);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&box), 2);
    return box;
}

ModalOnWorker::ModalOnWorker(const char* caption, std::function<int()> show)
    : result_(std::async(std::launch::async, std::move(show))),
      window_(WaitForTopLevel(GetCurrentProcessId(), caption)) {}

ModalOnWorker::~ModalOnWorker() {
    if (result_.valid() && result_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        if (IsWindow(window_))
            PostMessageA(window_, WM_CLOSE, 0, 0);
        result_.wait();
    }
}

int ModalOnWorker::Result() {
    if (result_.wait_for(kUiTimeout) != std::future_status::ready)
        return -1;
    return result_.get();
}
