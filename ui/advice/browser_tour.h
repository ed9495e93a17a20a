// The tour of the user's default browser: a notice naming the browser, then the maker's guide
// page for it, opened in that browser. It runs on the Help command and, during the first run,
// on every directory reply with nodes (the reply processing decides that).
#pragma once

#include <string>
#include <string_view>

struct MakerSite;
class MessageBoxes;
class Registry;
class Shell;

struct TourRow {
    const char* browser;  // looked for in the lower-cased default browser command; "" matches any
    const char* notice;
    const char* path;  // of the guide page on the maker's web host
};

// The first row whose browser the command contains, in table order: Firefox, Internet Explorer,
// Chrome, Opera, then any other browser (an empty command among them).
const TourRow& TourRowFor(std::string_view defaultBrowser);

struct TourPorts {
    const Registry& registry;
    Shell& shell;
    MessageBoxes& messages;
};

// Returns once the notice is closed and the page is asked for.
void ShowTour(const MakerSite& site, TourPorts ports);
