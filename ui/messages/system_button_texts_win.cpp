#include "ui/messages/system_button_texts.h"

#include "common/unique_handle_win.h"

std::string SystemButtonText(unsigned stringId) {
    static const UniqueModule user32(LoadLibraryA("user32.dll"));
    char text[64] = {};
    if (!user32 || LoadStringA(user32.Get(), stringId, text, sizeof(text)) <= 0)
        return {};
    return text;
}
