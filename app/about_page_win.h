// The About page: the program's name and the maker's, and the three links, each centred on the
// page as wide as its text.
#pragma once

#include <string>

#include "app/options_pages_win.h"

void FillAboutPage(const OptionsPages& pages, const std::string& programName, const std::string& websiteUrl);
