#include "ui/messages/frm_msg_win.h"

#include "ui/messages/message_icons_win.h"
#include "ui/toolkit/clipboard_win.h"
#include "ui/toolkit/screen_dc_win.h"

namespace {

constexpr int kImageId = 1000, kLabelId = 1001, kFirstButtonId = 1100;

MessageLayout LayOut(const MessageDialog& dialog, HFONT font, int dpi) {
    const int textHeight = ScreenDc().MeasureText(dialog.text.c_str(), font, LabelWrapWidth(dpi)).cy;
    return LayOutMessageDialog(textHeight, dialog.icon != IconType::None, int(dialog.buttons.size()), dpi);
}

}  // namespace

TfrmMsg::TfrmMsg(const MessageDialog& dialog, const Skin& skin)
    : ModalForm(skin, Frame::Closable), dialog_(dialog), layout_(LayOut(dialog, Paint().TextFont(), int(Dpi()))) {}

FormDesign TfrmMsg::Design() const {
    FormDesign design{.caption = dialog_.caption.c_str(),
                      .clientWidth = layout_.clientWidth,
                      .clientHeight = layout_.clientHeight,
                      .units = DesignUnits::Screen};
    if (dialog_.icon != IconType::None)
        design.controls.push_back({kImageId, "STATIC", "", WS_VISIBLE | SS_BITMAP, layout_.image});
    design.controls.push_back(
        {kLabelId, "STATIC", dialog_.text.c_str(), WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, layout_.label});

    // Created left to right so that Tab walks them in reading order; the layout counts them from
    // the right.
    const int count = int(dialog_.buttons.size());
    for (int slot = 0; slot < count; ++slot) {
        const DialogButton& button = dialog_.buttons[slot];
        design.controls.push_back({kFirstButtonId + slot, "BUTTON", button.caption.c_str(),
                                   WS_VISIBLE | BS_OWNERDRAW | WS_TABSTOP, layout_.buttons[count - 1 - slot]});
        if (IsDefaultButton(button))
            design.defaultButton = kFirstButtonId + slot;
    }
    if (count > 0)
        design.focus = kFirstButtonId;
    return design;
}

void TfrmMsg::ControlsCreated() {
    if (dialog_.icon != IconType::None)
        ShowBitmap(kImageId, MessageIconBitmap(dialog_.icon, layout_.image.width, ToColorRef(Paint().Colors().face)));
}

const DialogButton* TfrmMsg::ButtonOf(int id) const {
    const int slot = id - kFirstButtonId;
    return slot >= 0 && slot < int(dialog_.buttons.size()) ? &dialog_.buttons[slot] : nullptr;
}

bool TfrmMsg::PreviewKey(WPARAM key) {
    switch (key) {
        case 'C':
            if (GetKeyState(VK_CONTROL) >= 0)
                return false;
            SetClipboardText(Handle(), ClipboardText(dialog_));
            return true;
        case VK_RETURN:
            PressFocusedOrDefaultButton();
            return true;
        case VK_ESCAPE:
            for (int slot = 0; slot < int(dialog_.buttons.size()); ++slot) {
                if (AnswersEscape(dialog_.buttons[slot])) {
                    SendMessageA(Control(kFirstButtonId + slot), BM_CLICK, 0, 0);
                    break;
                }
            }
            return true;
        default:
            return false;
    }
}

void TfrmMsg::OnCommand(int id, int code) {
    const DialogButton* button = ButtonOf(id);
    if (button && code == BN_CLICKED && button->result != kResultNone)
        result_ = button->result;
}

void TfrmMsg::OnClose() {
    result_ = kResultCancel;
}

int ExecuteMessageDialog(const MessageDialog& dialog, const Skin& skin) {
    TfrmMsg form(dialog, skin);
    form.ShowModal();
    return form.Result();
}
