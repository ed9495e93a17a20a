#include "ui/messages/skinned_message_boxes.h"

#include "ui/messages/frm_msg_win.h"
#include "ui/messages/system_button_texts.h"
#include "ui/toolkit/skin_paint_win.h"

int SkinnedMessageBoxes::ShowMessageBox(const std::string& caption,
                                        const std::string& text,
                                        MessageKind kind,
                                        ButtonSet buttons) {
    return ExecuteMessageDialog(SkinMessageDlg(text, caption, kind, buttons, SystemButtonText),
                                LoadSkinFile(values_.SkinPath));
}

void SkinnedMessageBoxes::ShowNotice(const std::string& caption, const std::string& text) {
    ExecuteMessageDialog(NoticeDialog(caption, text), LoadSkinFile(values_.SkinPath));
}
