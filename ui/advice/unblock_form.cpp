#include "ui/advice/unblock_form.h"

#include <utility>

UnblockForm::UnblockForm(UnblockAdviceContent content, std::function<void()> help)
    : content_(std::move(content)), help_(std::move(help)) {}

void UnblockForm::btnHelpClick() {
    if (!Closed() && help_)
        help_();
}

void UnblockForm::btnReconnectClick() {
    if (content_.reconnectEnabled)
        End(UnblockChoice::Reconnect);
}

void UnblockForm::btnCloseClick() {
    End(UnblockChoice::Close);
}

void UnblockForm::End(UnblockChoice choice) {
    if (!Closed())
        choice_ = choice;
}
