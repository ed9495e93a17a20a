#include "update/worker_threads_win.h"

#include <stdexcept>
#include <thread>
#include <utility>

namespace {

constexpr char kWindowClass[] = "MasqGuiCalls";
constexpr UINT kRunCall = WM_APP + 1;  // lParam: the std::function<void()> to run

LRESULT CALLBACK GuiCallsProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kRunCall)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    try {  // no C++ exception may unwind through user32 into the worker
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
    } catch (...) {
    }
    return 0;
}

HWND CreateGuiCallsWindow() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA existing{sizeof(existing)};
    if (!GetClassInfoExA(instance, kWindowClass, &existing)) {
        WNDCLASSEXA wc{sizeof(wc)};
        wc.lpfnWndProc = GuiCallsProc;
        wc.hInstance = instance;
        wc.lpszClassName = kWindowClass;
        RegisterClassExA(&wc);
    }
    return CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
}

class SentToWindow final : public GuiThread {
  public:
    explicit SentToWindow(HWND window) : window_(window) {}
    void Run(const std::function<void()>& call) override {
        SendMessageA(window_, kRunCall, 0, reinterpret_cast<LPARAM>(&call));
    }

  private:
    HWND window_;
};

}  // namespace

WinWorkerThreads::WinWorkerThreads() : window_(CreateGuiCallsWindow()) {}

WinWorkerThreads::~WinWorkerThreads() {
    if (window_)
        DestroyWindow(window_);
}

void WinWorkerThreads::StartWorker(std::function<void(GuiThread&)> work) {
    if (!window_)  // the worker could never reach the GUI thread
        throw std::runtime_error("no window for the worker's calls");
    std::thread([window = window_, work = std::move(work)] {
        SentToWindow gui(window);
        work(gui);
    }).detach();
}
