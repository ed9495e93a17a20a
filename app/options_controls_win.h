// The options dialog's values in its controls: shown on the pages, and read back from them.
#pragma once

#include "app/options_pages_win.h"
#include "settings/options.h"

void ShowOptionsOn(OptionsPages& pages, const Options& options);
Options ReadOptionsFrom(const OptionsPages& pages);
