// The program's name as users see it: the caption of every message, the title of every balloon,
// the options dialog's caption and the log's first line.
#pragma once

inline constexpr char kProductName[] = "Masq NG";
