#include "tests/driver/artifacts.h"

#include <fstream>
#include <vector>

#include "common/unique_handle_win.h"

namespace driver {

std::string ArtifactsFolder() {
    char folder[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("MASQ_ARTIFACTS", folder, sizeof(folder))) {
        GetTempPathA(sizeof(folder), folder);
        lstrcatA(folder, "masq-artifacts");
    }
    CreateDirectoryA(folder, nullptr);
    return std::string(folder) + "\\";
}

bool SaveScreenshot(const std::string& name, RECT bounds) {
    if (IsRectEmpty(&bounds))
        bounds = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    UniqueGdi<HBITMAP> bitmap(CreateCompatibleBitmap(screen, width, height));
    HGDIOBJ old = SelectObject(memory, bitmap.Get());
    BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY | CAPTUREBLT);
    SelectObject(memory, old);

    BITMAPINFOHEADER header{sizeof(header)};
    header.biWidth = width;
    header.biHeight = height;  // bottom-up, as BMP files store it
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<char> pixels(size_t(stride) * height);
    GetDIBits(memory, bitmap.Get(), 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + DWORD(pixels.size());
    std::ofstream out(ArtifactsFolder() + name + ".bmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&header), sizeof(header));
    out.write(pixels.data(), std::streamsize(pixels.size()));
    return bool(out);
}

bool SaveWindowScreenshot(const std::string& name, HWND window, int margin) {
    // A window found the moment it appears may not have painted yet: wait until its program has
    // nothing left to do, painting included.
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (UniqueHandle process{OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId)})
        WaitForInputIdle(process.Get(), 10000);
    RECT bounds{};
    if (!GetWindowRect(window, &bounds))
        return false;
    InflateRect(&bounds, margin, margin);
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&bounds, &bounds, &screen);
    return SaveScreenshot(name, bounds);
}

}  // namespace driver
