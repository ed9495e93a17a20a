// The maker's web host and the pages the program links to. Compiled-in defaults; an optional
// "site.ini" beside the executable overrides them, so a demo or a test can point the very binary
// a user gets at a local site:
//   [Hosts]
//   Web=127.0.0.1
#pragma once

#include <string>

class SettingsStore;

inline constexpr char kSiteFileName[] = "site.ini";

struct MakerSite {
    std::string webHost = "www.masqsoftware.example";
};

MakerSite LoadMakerSite(const SettingsStore& siteFile);

std::string WebsiteUrl(const MakerSite& site);
std::string ContactUrl(const MakerSite& site);
std::string WhatIsMyIpUrl(const MakerSite& site);

// The page of the maker's web site at `path` (which begins with "/").
std::string WebPageUrl(const MakerSite& site, const std::string& path);
// How to let the program through a firewall.
std::string FirewallSetupUrl(const MakerSite& site);
