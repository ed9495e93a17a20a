// The skin turned into GDI objects for one window at its DPI, and the painting every skinned
// form shares: the WM_CTLCOLOR* answers and owner-drawn push buttons.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>

#include "common/unique_handle_win.h"
#include "ui/toolkit/skin.h"

COLORREF ToColorRef(SkinColor color);

// The unskinned look: the system's colours and message font.
Skin SystemSkin();

// The skin file's values over the system look; the system look alone when the file can't be read.
Skin LoadSkinFile(const std::string& path);

class SkinPaint {
  public:
    SkinPaint(Skin skin, UINT dpi);

    const Skin& Colors() const { return skin_; }
    HBRUSH Brush(SkinColor color) const;
    HFONT TextFont() const { return textFont_.Get(); }
    HFONT CaptionFont() const { return captionFont_.Get(); }

    // The answer to WM_CTLCOLORDLG, WM_CTLCOLORSTATIC, WM_CTLCOLORBTN, WM_CTLCOLOREDIT and
    // WM_CTLCOLORLISTBOX (the brush, with the DC's colours set); nothing for other messages.
    std::optional<LRESULT> ControlColors(UINT message, WPARAM wParam) const;

    // Paints a BS_OWNERDRAW push button: face, frame (thicker for the default button), caption
    // with its mnemonic underline, focus line, pressed and disabled states.
    void DrawButton(const DRAWITEMSTRUCT& item, bool isDefault) const;

  private:
    Skin skin_;
    UniqueGdi<HFONT> textFont_;
    UniqueGdi<HFONT> captionFont_;
    mutable std::map<COLORREF, UniqueGdi<HBRUSH>> brushes_;
};
