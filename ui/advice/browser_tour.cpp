#include "ui/advice/browser_tour.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "common/product_name.h"
#include "platform/environment.h"
#include "settings/maker_site.h"
#include "ui/messages/message_boxes.h"

namespace {

const std::array<TourRow, 5> kTour = {{
    {"firefox", "Masq NG detected you default browser is Firefox. We'll show you how to use Masq NG with Firefox.",
     "/masq-with-firefox.htm"},
    {"iexplore",
     "Masq NG detected you default browser is Internet Explorer. We'll show you how to use Masq NG with Internet "
     "Explorer.",
     "/masq-with-internet-explorer.htm"},
    {"chrome", "Masq NG detected you default browser is Chrome. We'll show you how to use Masq NG with Chrome.",
     "/masq-with-chrome.htm"},
    {"opera", "Masq NG detected you default browser is Opera. We'll show you how to use Masq NG with Opera.",
     "/masq-with-opera.htm"},
    {"", "Masq NG detected you default browser is other browser. We'll show you how to use Masq NG with other browser.",
     "/masq-with-other-browser.htm"},
}};

}  // namespace

const TourRow& TourRowFor(std::string_view defaultBrowser) {
    std::string command(defaultBrowser);
    std::transform(command.begin(), command.end(), command.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return *std::find_if(kTour.begin(), kTour.end(),
                         [&](const TourRow& row) { return command.find(row.browser) != std::string::npos; });
}

void ShowTour(const MakerSite& site, TourPorts ports) {
    const TourRow& row = TourRowFor(GetDefaultBrowser(ports.registry));
    ports.messages.ShowNotice(kProductName, row.notice);
    OpenURL(ports.registry, ports.shell, WebPageUrl(site, row.path));
}
