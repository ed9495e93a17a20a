#include "settings/maker_site.h"

#include "settings/settings_store.h"

MakerSite LoadMakerSite(const SettingsStore& siteFile) {
    MakerSite site;
    site.webHost = siteFile.ReadString("Hosts", "Web", site.webHost);
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
