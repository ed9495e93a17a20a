#include "window_driver.h"

#include <algorithm>
#include <thread>

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

HWND WaitForWindow(const char* caption) {
    HWND found = nullptr;
    WaitUntil([&] {
        found = FindWindowA(nullptr, caption);
        return found && IsWindowVisible(found);
    });
    return found;
}

std::string TextOf(HWND window) {
    char text[1024] = {};
    SendMessageA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

std::vector<HWND> ChildrenOfClass(HWND parent, const char* className) {
    struct Search {
        const char* className;
        std::vector<HWND> found;
    } search{className, {}};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) {
            auto& s = *reinterpret_cast<Search*>(data);
            char name[64] = {};
            GetClassNameA(child, name, sizeof(name));
            if (lstrcmpiA(name, s.className) == 0)
                s.found.push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    std::sort(search.found.begin(), search.found.end(),
              [parent](HWND a, HWND b) { return ClientRectOf(parent, a).left < ClientRectOf(parent, b).left; });
    return search.found;
}

RECT ClientRectOf(HWND parent, HWND child) {
    RECT box{};
    GetWindowRect(child, &box);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&box), 2);
    return box;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{sizeof(info)};
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

void TypeKey(WORD key, WORD modifier) {
    std::vector<INPUT> inputs;
    auto add = [&](WORD vk, DWORD flags) {
        INPUT input{INPUT_KEYBOARD};
        input.ki.wVk = vk;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    if (modifier)
        add(modifier, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    if (modifier)
        add(modifier, KEYEVENTF_KEYUP);
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (auto* chars = static_cast<const char*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

ModalOnWorker::ModalOnWorker(const char* caption, std::function<int()> show)
    : result_(std::async(std::launch::async, std::move(show))), window_(WaitForWindow(caption)) {}

ModalOnWorker::~ModalOnWorker() {
    if (result_.valid() && result_.wait_for(0s) != std::future_status::ready) {
        if (IsWindow(window_))
            PostMessageA(window_, WM_CLOSE, 0, 0);
        result_.wait();
    }
}

int ModalOnWorker::Result() {
    if (result_.wait_for(kPatience) != std::future_status::ready)
        return -1;
    return result_.get();
}
