#include "tests/e2e/tray.h"

#include "tests/driver/artifacts.h"
#include "tests/driver/ui.h"
#include "tests/driver/wait.h"

namespace e2e {

using namespace driver;

namespace {

HWND TrayWindow() {
    return FindTopLevel(0, "Wine System Tray");
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
        HWND shown = FindTopLevel(0, "", "tooltips_class32");
        return shown && !(tip = TextOf(shown)).empty();
    });
    SetCursorPos(600, 600);  // away, so the tip goes
    return tip;
}

void SaveTrayScreenshot(const std::string& name) {
    RECT tray{};
    GetWindowRect(TrayWindow(), &tray);
    SaveScreenshot(name, RECT{0, 0, tray.right + 360, tray.bottom + 150});
}

}  // namespace e2e
