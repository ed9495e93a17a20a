#include "tests/e2e/tray.h"

#include <commctrl.h>

#include <vector>

#include "tests/driver/artifacts.h"
#include "tests/driver/ui.h"
#include "tests/driver/wait.h"

namespace e2e {

using namespace driver;

namespace {

HWND TrayWindow() {
    return FindTopLevel(0, "Wine System Tray");
}

// The visible tooltip windows of one kind: balloons, or the plain tips of the icons.
std::vector<HWND> TipWindows(bool balloons) {
    std::vector<HWND> tips;
    for (HWND window : TopLevelWindows(0)) {
        const bool balloon = GetWindowLongA(window, GWL_STYLE) & TTS_BALLOON;
        if (IsWindowVisible(window) && ClassOf(window) == "tooltips_class32" && balloon == balloons)
            tips.push_back(window);
    }
    return tips;
}

}  // namespace

HWND TrayIcon() {
    HWND tray = TrayWindow();
    return tray ? GetWindow(tray, GW_CHILD) : nullptr;
}

bool WaitForTrayIcon() {
    return WaitUntil([] { return TrayIcon() != nullptr; });
}

void ClickTrayIcon() {
    HWND icon = TrayIcon();
    // Posted, not sent: the program opens its menu while handling the click.
    PostMessageA(icon, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 8));
    PostMessageA(icon, WM_LBUTTONUP, 0, MAKELPARAM(8, 8));
}

std::string TrayTooltip() {
    RECT box{};
    GetWindowRect(TrayIcon(), &box);
    SetCursorPos((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    std::string tip;
    WaitUntil([&] {
        for (HWND shown : TipWindows(false))
            if (!(tip = TextOf(shown)).empty())
                return true;
        return false;
    });
    SetCursorPos(600, 600);  // away, so the tip goes
    return tip;
}

bool WaitForBalloon(const std::string& text) {
    return WaitUntil([&] {
        for (HWND balloon : TipWindows(true))
            if (TextOf(balloon).find(text) != std::string::npos)
                return true;
        return false;
    });
}

IconColour TrayIconColour() {
    RECT box{};
    GetWindowRect(TrayIcon(), &box);
    HDC screen = GetDC(nullptr);
    int green = 0, red = 0;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            const COLORREF pixel = GetPixel(screen, x, y);
            const int r = GetRValue(pixel), g = GetGValue(pixel), b = GetBValue(pixel);
            green += g > r + 60 && g > b + 60;
            red += r > g + 60 && r > b + 60;
        }
    }
    ReleaseDC(nullptr, screen);
    const int enough = (box.right - box.left) * (box.bottom - box.top) / 8;
    return green > enough && green > red ? IconColour::Green : red > enough ? IconColour::Red : IconColour::Other;
}

bool WaitForTrayState(IconColour colour, const std::string& tooltip) {
    return WaitUntil([&] { return TrayIconColour() == colour; }) && WaitUntil([&] { return TrayTooltip() == tooltip; });
}

void SaveTrayScreenshot(const std::string& name) {
    RECT tray{};
    GetWindowRect(TrayWindow(), &tray);
    SaveScreenshot(name, RECT{0, 0, tray.right + 360, tray.bottom + 150});
}

}  // namespace e2e
