// The port of the unblock advice dialog TfrmUnblock.
#pragma once

#include "ui/advice/unblock_form.h"

class UnblockDialog {
  public:
    virtual ~UnblockDialog() = default;
    // Shows `form` modally; the dialog hands its buttons to the form, and the copy buttons work
    // inside it. Returns once the form has ended and the dialog is gone.
    virtual void ShowModal(UnblockForm& form) = 0;
};
