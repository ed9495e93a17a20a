// JSON string literals for the messages to the add-on. Firefox rejects a message that is not
// valid UTF-8, so whatever the bytes, the literal is: bytes that are no UTF-8 become U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace firefox_host {

// Appends `text` as a quoted JSON string.
void AppendJsonString(std::string& out, std::string_view text);

}  // namespace firefox_host
