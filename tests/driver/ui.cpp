#include "tests/driver/ui.h"

#include <algorithm>

namespace driver {

std::string TextOf(HWND window) {
    char text[1024] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return text;
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

Control Describe(HWND window) {
    Control control;
    control.hwnd = window;
    control.className = ClassOf(window);
    control.text = TextOf(window);
    control.id = GetDlgCtrlID(window);
    control.enabled = IsWindowEnabled(window);
    control.visible = IsWindowVisible(window);
    GetWindowRect(window, &control.bounds);
    return control;
}

HWND FindTopLevel(DWORD processId, std::string_view caption, std::string_view className, Visibility visibility) {
    struct Search {
        DWORD processId;
        std::string_view caption, className;
        Visibility visibility;
        HWND found = nullptr;
    } search{processId, caption, className, visibility};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (s.processId && owner != s.processId)
                return TRUE;
            if (s.visibility == Visibility::kVisible && !IsWindowVisible(window))
                return TRUE;
            if (!s.className.empty() && ClassOf(window) != s.className)
                return TRUE;
            if (!s.caption.empty() && TextOf(window) != s.caption)
                return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForTopLevel(DWORD processId,
                     std::string_view caption,
                     std::string_view className,
                     std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopLevel(processId, caption, className)) != nullptr; }, timeout);
    return found;
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (s.processId == 0 || owner == s.processId)
                s.found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<Control> ChildrenOf(HWND parent) {
    std::vector<Control> children;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM param) -> BOOL {
            reinterpret_cast<std::vector<Control>*>(param)->push_back(Describe(child));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

std::vector<HWND> ChildrenOfClass(HWND parent, std::string_view className) {
    std::vector<Control> found;
    for (const Control& child : ChildrenOf(parent))
        if (child.className == className)
            found.push_back(child);
    std::sort(found.begin(), found.end(),
              [](const Control& a, const Control& b) { return a.bounds.left < b.bounds.left; });
    std::vector<HWND> windows;
    for (const Control& control : found)
        windows.push_back(control.hwnd);
    return windows;
}

HWND FindChild(HWND parent, std::string_view className, std::string_view text) {
    for (const Control& child : ChildrenOf(parent))
        if (child.visible && child.className == className && child.text == text)
            return child.hwnd;
    return nullptr;
}

HWND FindChildById(HWND parent, int id) {
    for (const Control& child : ChildrenOf(parent))
        if (child.id == id)
            return child.hwnd;
    return nullptr;
}

void Click(HWND button) {
    PostMessageA(button, BM_CLICK, 0, 0);
}

void TypeKey(WORD virtualKey, std::initializer_list<WORD> modifiers) {
    std::vector<INPUT> inputs;
    auto key = [&](WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    for (WORD modifier : modifiers)
        key(modifier, false);
    key(virtualKey, false);
    key(virtualKey, true);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
        key(*it, true);
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool TypeKeyInto(HWND window, WORD virtualKey, std::initializer_list<WORD> modifiers) {
    // A popup menu reads its keys in the loop of the thread that tracks it, whichever window is in
    // front: a key posted there reaches it, where typed keys depend on a foreground that another
    // program may hold.
    if (ClassOf(window) == "#32768")
        return modifiers.size() == 0 && PostMessageA(window, WM_KEYDOWN, virtualKey, 1) &&
               PostMessageA(window, WM_KEYUP, virtualKey, LPARAM(0xC0000001));
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    const bool ready = WaitUntil(
        [&] {
            SetForegroundWindow(window);
            HWND front = GetForegroundWindow();
            return front && GetWindowThreadProcessId(front, nullptr) == thread;
        },
        std::chrono::seconds(10));
    if (ready)
        TypeKey(virtualKey, modifiers);
    return ready;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{sizeof(info)};
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
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

}  // namespace driver
