// Text split into lines and joined again, the way a multi-line edit and a text file hold them:
// CR LF, LF and CR each end a line; a line end at the very end adds no empty line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

std::vector<std::string> SplitLines(std::string_view text);
// The lines with CR LF between them, as a multi-line edit shows them.
std::string JoinLines(const std::vector<std::string>& lines);
