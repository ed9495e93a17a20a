// Mnemonics of captions: "&Masq" is shown as "Masq" with the M underlined and answers the key M;
// "&&" is a literal ampersand.
#pragma once

#include <string>
#include <string_view>

// The key that chooses the caption, upper-cased; '\0' when it has none.
char MnemonicOf(std::string_view caption);

// The caption as it reads on screen.
std::string WithoutMnemonics(std::string_view caption);
