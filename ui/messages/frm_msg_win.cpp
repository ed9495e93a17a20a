#include "ui/messages/frm_msg_win.h"

#include <algorithm>

#include "ui/messages/message_icons_win.h"
#include "ui/messages/message_layout.h"
#include "ui/toolkit/clipboard_win.h"
#include "ui/toolkit/dialog_frame_win.h"
#include "ui/toolkit/modal_loop_win.h"
#include "ui/toolkit/screen_dc_win.h"

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFOREGROUND;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int kImageId = 1000, kLabelId = 1001, kFirstButtonId = 1100;

RECT RectOf(const LayoutBox& box) {
    return RECT{box.left, box.top, box.Right(), box.Bottom()};
}

}  // namespace

TfrmMsg::TfrmMsg(MessageDialog dialog, const Skin& skin)
    : dialog_(std::move(dialog)), dpi_(ScreenDc().Dpi()), paint_(skin, dpi_) {}

TfrmMsg::~TfrmMsg() {
    if (Handle())
        DestroyWindow(Handle());
}

int TfrmMsg::ShowModal() {
    // The form fills and sizes itself.
    static const EmptyDialogTemplate kTemplate{{kStyle, kExStyle, 0, 0, 0, 0, 0}};
    if (!CreateDialogFromTemplate(&kTemplate.header, nullptr))
        return kResultCancel;

    RunModalLoop(
        Handle(), [this] { return result_.has_value(); }, [this](const MSG& msg) { return PreviewKey(msg); });
    return result_.value_or(kResultCancel);
}

void TfrmMsg::CreateControls() {
    HWND form = Handle();
    SetWindowTextA(form, dialog_.caption.c_str());
    const bool hasIcon = dialog_.icon != IconType::None;
    const int textHeight = ScreenDc().MeasureText(dialog_.text.c_str(), paint_.TextFont(), LabelWrapWidth(dpi_)).cy;
    MessageLayout layout = LayOutMessageDialog(textHeight, hasIcon, int(dialog_.buttons.size()), dpi_);

    if (hasIcon) {
        icon_ = MessageIconBitmap(dialog_.icon, layout.image.width, ToColorRef(paint_.Colors().face));
        HWND image = CreateDialogControl(form, "STATIC", "", WS_VISIBLE | SS_BITMAP, RectOf(layout.image), kImageId,
                                         paint_.TextFont());
        SendMessageA(image, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(icon_.Get()));
    }
    CreateDialogControl(form, "STATIC", dialog_.text.c_str(), WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL,
                        RectOf(layout.label), kLabelId, paint_.TextFont());

    // Created left to right so that Tab walks them in reading order; the layout counts them from
    // the right.
    const int count = int(dialog_.buttons.size());
    for (int slot = 0; slot < count; ++slot) {
        const DialogButton& button = dialog_.buttons[slot];
        HWND control =
            CreateDialogControl(form, "BUTTON", button.caption.c_str(), WS_VISIBLE | BS_OWNERDRAW | WS_TABSTOP,
                                RectOf(layout.buttons[count - 1 - slot]), kFirstButtonId + slot, paint_.TextFont());
        if (IsDefaultButton(button))
            SendMessageA(form, DM_SETDEFID, kFirstButtonId + slot, 0);
        buttons_.push_back(control);
    }
    if (!buttons_.empty())
        SetFocus(buttons_.front());

    CentreDialog(form, layout.clientWidth, layout.clientHeight);
}

const DialogButton* TfrmMsg::ButtonOf(HWND control) const {
    auto found = std::find(buttons_.begin(), buttons_.end(), control);
    return found == buttons_.end() ? nullptr : &dialog_.buttons[found - buttons_.begin()];
}

void TfrmMsg::Press(HWND button) const {
    if (button)
        SendMessageA(button, BM_CLICK, 0, 0);
}

bool TfrmMsg::PreviewKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !(msg.hwnd == Handle() || IsChild(Handle(), msg.hwnd)))
        return false;
    switch (msg.wParam) {
        case 'C':
            if (GetKeyState(VK_CONTROL) >= 0)
                return false;
            SetClipboardText(Handle(), ClipboardText(dialog_));
            return true;
        case VK_RETURN: {
            HWND focused = GetFocus();
            if (ButtonOf(focused))
                return Press(focused), true;
            auto preferred = std::find_if(buttons_.begin(), buttons_.end(),
                                          [this](HWND b) { return IsDefaultButton(*ButtonOf(b)); });
            Press(preferred != buttons_.end() ? *preferred : nullptr);
            return true;
        }
        case VK_ESCAPE: {
            auto cancel =
                std::find_if(buttons_.begin(), buttons_.end(), [this](HWND b) { return AnswersEscape(*ButtonOf(b)); });
            Press(cancel != buttons_.end() ? *cancel : nullptr);
            return true;
        }
        default:
            return false;
    }
}

std::optional<LRESULT> TfrmMsg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto colors = paint_.ControlColors(message, wParam))
        return colors;
    switch (message) {
        case WM_INITDIALOG:
            CreateControls();
            return FALSE;  // the focus is set
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            const DialogButton* button = ButtonOf(item.hwndItem);
            if (!button)
                return std::nullopt;
            paint_.DrawButton(item, IsDefaultButton(*button));
            return TRUE;
        }
        case WM_COMMAND: {
            const DialogButton* button = ButtonOf(reinterpret_cast<HWND>(lParam));
            if (button && HIWORD(wParam) == BN_CLICKED && button->result != kResultNone)
                result_ = button->result;
            return 0;
        }
        case WM_CLOSE:
            result_ = kResultCancel;
            return 0;
        default:
            return std::nullopt;
    }
}

int ExecuteMessageDialog(const MessageDialog& dialog, const Skin& skin) {
    return TfrmMsg(dialog, skin).ShowModal();
}
