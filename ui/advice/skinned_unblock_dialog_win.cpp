#include "ui/advice/skinned_unblock_dialog.h"

#include "ui/advice/frm_unblock_win.h"

UnblockChoice SkinnedUnblockDialog::ShowModal(const UnblockAdviceContent& content,
                                              const std::function<void()>& helpClick) {
    return TfrmUnblock(content, LoadSkinFile(values_.SkinPath), helpClick).ShowModal();
}
