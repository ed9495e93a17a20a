#include "settings/maker_site.h"

#include <utility>

#include "settings/settings_store.h"

namespace {

constexpr char kHosts[] = "Hosts";

}  // namespace

MakerSite LoadMakerSite(const SettingsStore& siteFile) {
    MakerSite site;
    const std::pair<const char*, std::string*> keys[] = {
        {"Directory", &site.directoryHost},
        {"Mirror1", &site.mirror1Host},
        {"Mirror2", &site.mirror2Host},
        {"Web", &site.webHost},
    };
    for (const auto& [key, host] : keys)
        *host = siteFile.ReadString(kHosts, key, *host);
    return site;
}

std::string WebsiteUrl(const MakerSite& site) {
    return "http://" + site.webHost + "/";
}

std::string ContactUrl(const MakerSite& site) {
    return "http://" + site.webHost + "/contact.html";
}

std::string WhatIsMyIpUrl(const MakerSite& site) {
    return "http://" + site.webHost + "/ip.php";
}

std::string WebPageUrl(const MakerSite& site, const std::string& path) {
    return "http://" + site.webHost + path;
}

std::string FirewallSetupUrl(const MakerSite& site) {
    return WebPageUrl(site, "/setup-firewall.htm");
}
