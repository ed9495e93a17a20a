#include "ui/advice/skinned_unblock_dialog.h"

#include "ui/advice/frm_unblock_win.h"

void SkinnedUnblockDialog::ShowModal(UnblockForm& form) {
    TfrmUnblock(form, LoadSkinFile(values_.SkinPath)).ShowModal();
}
