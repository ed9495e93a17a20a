// What a progress bar shows for a position within 0..maximum: its percentage as a caption and
// how much of the bar is filled.
#pragma once

#include <cstdint>
#include <string>

// 0 to 100, rounded down; 0 when the maximum is not above 0.
int ProgressPercent(std::int64_t position, std::int64_t maximum);
// "42%".
std::string ProgressCaption(std::int64_t position, std::int64_t maximum);
// The filled part of a bar `width` pixels wide.
int ProgressFilledWidth(std::int64_t position, std::int64_t maximum, int width);
