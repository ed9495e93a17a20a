#include "ui/messages/message_icons_win.h"

#include "ui/toolkit/screen_dc_win.h"

namespace {

struct SourceStrip {
    const char* resource;
    int iconSize;
};
const SourceStrip kNormal{"MSGDLG", 40};
const SourceStrip kLarge{"MSGDLG150", 60};

struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DeleteDC(h); }
};
using UniqueMemoryDc = Unique<MemoryDcTraits>;

}  // namespace

UniqueGdi<HBITMAP> MessageIconBitmap(IconType type, int size, COLORREF background) {
    if (type == IconType::None)
        return {};
    const SourceStrip& source = size >= kLarge.iconSize ? kLarge : kNormal;
    UniqueGdi<HBITMAP> strip(static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), source.resource, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!strip)
        return {};

    ScreenDc screen;
    UniqueGdi<HBITMAP> icon(CreateCompatibleBitmap(screen.Get(), size, size));
    UniqueMemoryDc target(CreateCompatibleDC(screen.Get()));
    UniqueMemoryDc from(CreateCompatibleDC(screen.Get()));
    if (!icon || !target || !from)
        return {};
    HGDIOBJ oldTarget = SelectObject(target.Get(), icon.Get());
    HGDIOBJ oldFrom = SelectObject(from.Get(), strip.Get());

    RECT all{0, 0, size, size};
    UniqueGdi<HBRUSH> fill(CreateSolidBrush(background));
    FillRect(target.Get(), &all, fill.Get());
    SetStretchBltMode(target.Get(), HALFTONE);
    const BLENDFUNCTION premultiplied{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const int column = static_cast<int>(type) - 1;
    AlphaBlend(target.Get(), 0, 0, size, size, from.Get(), column * source.iconSize, 0, source.iconSize,
               source.iconSize, premultiplied);

    SelectObject(from.Get(), oldFrom);
    SelectObject(target.Get(), oldTarget);
    return icon;
}
