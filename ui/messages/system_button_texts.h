// The system's own button captions, from user32's string resources (800 OK ... 808 Help).
#pragma once

#include <string>

// "" when the system has no such string, as under Wine. user32 is loaded once and kept.
std::string SystemButtonText(unsigned stringId);
