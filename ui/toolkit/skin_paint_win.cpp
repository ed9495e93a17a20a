#include "ui/toolkit/skin_paint_win.h"

#include <fstream>
#include <sstream>

namespace {

SkinColor FromColorRef(COLORREF color) {
    return {GetRValue(color), GetGValue(color), GetBValue(color)};
}

SkinColor SystemColor(int index) {
    return FromColorRef(GetSysColor(index));
}

UniqueGdi<HFONT> CreateSkinFont(const SkinFont& font, UINT dpi) {
    return UniqueGdi<HFONT>(CreateFontA(-MulDiv(font.points, int(dpi), 72), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
                                        FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                        CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.face.c_str()));
}

}  // namespace

COLORREF ToColorRef(SkinColor color) {
    return RGB(color.red, color.green, color.blue);
}

Skin SystemSkin() {
    Skin skin;
    skin.face = SystemColor(COLOR_BTNFACE);
    skin.text = SystemColor(COLOR_BTNTEXT);
    skin.titleBar = SystemColor(COLOR_ACTIVECAPTION);
    skin.titleText = SystemColor(COLOR_CAPTIONTEXT);
    skin.field = SystemColor(COLOR_WINDOW);
    skin.fieldText = SystemColor(COLOR_WINDOWTEXT);
    skin.button = SystemColor(COLOR_BTNFACE);
    skin.buttonText = SystemColor(COLOR_BTNTEXT);
    skin.buttonBorder = SystemColor(COLOR_BTNSHADOW);
    skin.menuFace = SystemColor(COLOR_MENU);
    skin.menuText = SystemColor(COLOR_MENUTEXT);
    skin.menuHighlight = SystemColor(COLOR_HIGHLIGHT);
    skin.menuHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
    skin.disabledText = SystemColor(COLOR_GRAYTEXT);
    skin.separator = SystemColor(COLOR_BTNSHADOW);

    NONCLIENTMETRICSA metrics{sizeof(metrics)};
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    skin.textFont = {metrics.lfMessageFont.lfFaceName, 8, false};
    skin.captionFont = {metrics.lfMessageFont.lfFaceName, 8, true};
    return skin;
}

Skin LoadSkinFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return SystemSkin();
    std::ostringstream text;
    text << file.rdbuf();
    return ParseSkin(text.str(), SystemSkin());
}

SkinPaint::SkinPaint(Skin skin, UINT dpi)
    : skin_(std::move(skin)),
      textFont_(CreateSkinFont(skin_.textFont, dpi)),
      captionFont_(CreateSkinFont(skin_.captionFont, dpi)) {}

HBRUSH SkinPaint::Brush(SkinColor color) const {
    COLORREF key = ToColorRef(color);
    auto found = brushes_.find(key);
    if (found == brushes_.end())
        found = brushes_.emplace(key, UniqueGdi<HBRUSH>(CreateSolidBrush(key))).first;
    return found->second.Get();
}

std::optional<LRESULT> SkinPaint::ControlColors(UINT message, WPARAM wParam) const {
    HDC dc = reinterpret_cast<HDC>(wParam);
    switch (message) {
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            SetTextColor(dc, ToColorRef(skin_.text));
            SetBkColor(dc, ToColorRef(skin_.face));
            return reinterpret_cast<LRESULT>(Brush(skin_.face));
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            SetTextColor(dc, ToColorRef(skin_.fieldText));
            SetBkColor(dc, ToColorRef(skin_.field));
            return reinterpret_cast<LRESULT>(Brush(skin_.field));
        default:
            return std::nullopt;
    }
}

void SkinPaint::DrawButton(const DRAWITEMSTRUCT& item, bool isDefault) const {
    HDC dc = item.hDC;
    RECT box = item.rcItem;
    const bool pressed = item.itemState & ODS_SELECTED;
    const bool disabled = item.itemState & ODS_DISABLED;

    FillRect(dc, &box, Brush(pressed ? skin_.menuHighlight : skin_.button));
    HBRUSH frame = Brush(skin_.buttonBorder);
    FrameRect(dc, &box, frame);
    if (isDefault) {
        RECT inner = box;
        InflateRect(&inner, -1, -1);
        FrameRect(dc, &inner, frame);
    }

    char caption[128] = {};
    GetWindowTextA(item.hwndItem, caption, sizeof(caption));
    RECT text = box;
    if (pressed)
        OffsetRect(&text, 1, 1);
    HGDIOBJ oldFont = SelectObject(dc, textFont_.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(disabled ? skin_.disabledText : skin_.buttonText));
    UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | ((item.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0);
    DrawTextA(dc, caption, -1, &text, format);
    SelectObject(dc, oldFont);

    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT focus = box;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(dc, &focus);
    }
}
