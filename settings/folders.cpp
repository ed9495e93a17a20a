#include "settings/folders.h"

std::string IncludeBackslash(std::string_view text) {
    std::string result(text);
    if (result.empty() || result.back() != '\\') result += '\\';
    return result;
}
