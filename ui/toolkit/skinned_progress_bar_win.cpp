#include "ui/toolkit/skinned_progress_bar_win.h"

#include <string>

#include "ui/toolkit/progress_caption.h"

namespace {

constexpr char kWindowClass[] = "MasqProgressBar";

void DrawCaption(HDC dc, const std::string& caption, RECT bar, RECT clip, COLORREF color) {
    SaveDC(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    SetTextColor(dc, color);
    DrawTextA(dc, caption.c_str(), -1, &bar, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    RestoreDC(dc, -1);
}

}  // namespace

bool SkinnedProgressBar::CreateIn(HWND parent, RECT bounds, int id) {
    return CreateWindowOf(kWindowClass, 0, WS_CHILD | WS_VISIBLE, ProgressCaption(position_, maximum_).c_str(), bounds,
                          parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

void SkinnedProgressBar::SetProgress(std::int32_t position, std::int32_t maximum) {
    position_ = position;
    maximum_ = maximum;
    SetWindowTextA(Handle(), ProgressCaption(position_, maximum_).c_str());
    InvalidateRect(Handle(), nullptr, FALSE);
}

std::optional<LRESULT> SkinnedProgressBar::HandleMessage(UINT message, WPARAM, LPARAM) {
    switch (message) {
        case WM_ERASEBKGND:
            return TRUE;  // WM_PAINT covers every pixel
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(Handle(), &ps);
            Paint(dc);
            EndPaint(Handle(), &ps);
            return 0;
        }
        default:
            return std::nullopt;
    }
}

void SkinnedProgressBar::Paint(HDC dc) const {
    const Skin& skin = paint_.Colors();
    RECT bar{};
    GetClientRect(Handle(), &bar);
    RECT inner = bar;
    InflateRect(&inner, -1, -1);
    RECT filled = inner, empty = inner;
    filled.right = inner.left + ProgressFilledWidth(position_, maximum_, inner.right - inner.left);
    empty.left = filled.right;

    FillRect(dc, &filled, paint_.Brush(skin.titleBar));
    FillRect(dc, &empty, paint_.Brush(skin.field));
    FrameRect(dc, &bar, paint_.Brush(skin.buttonBorder));

    // The caption in the colour of whatever lies under each part of it.
    const std::string caption = ProgressCaption(position_, maximum_);
    HGDIOBJ oldFont = SelectObject(dc, paint_.TextFont());
    SetBkMode(dc, TRANSPARENT);
    DrawCaption(dc, caption, inner, filled, ToColorRef(skin.titleText));
    DrawCaption(dc, caption, inner, empty, ToColorRef(skin.fieldText));
    SelectObject(dc, oldFont);
}
