#include "ui/toolkit/mnemonic.h"

#include <cctype>

char MnemonicOf(std::string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] != '&')
            return char(std::toupper(static_cast<unsigned char>(caption[i + 1])));
        ++i;
    }
    return '\0';
}

std::string WithoutMnemonics(std::string_view caption) {
    std::string shown;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}
